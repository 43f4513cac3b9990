#include <QApplication>

int RunWindowLayoutTests(int argc, char** argv);
int RunDataExchangeTests(int argc, char** argv);
int RunMainWindowTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    failures += RunWindowLayoutTests(argc, argv);
    failures += RunDataExchangeTests(argc, argv);
    failures += RunMainWindowTests(argc, argv);
    return failures;
}
