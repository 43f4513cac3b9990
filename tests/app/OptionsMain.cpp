#include <QApplication>

int RunDialogLayoutTests(int argc, char** argv);
int RunOptionsDialogTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    failures += RunDialogLayoutTests(argc, argv);
    failures += RunOptionsDialogTests(argc, argv);
    return failures;
}
