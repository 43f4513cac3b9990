#include <QCoreApplication>

int RunSettingsStoreTests(int argc, char** argv);
int RunPathTests(int argc, char** argv);
int RunServerListTests(int argc, char** argv);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunSettingsStoreTests(argc, argv) + RunPathTests(argc, argv) +
           RunServerListTests(argc, argv);
}
