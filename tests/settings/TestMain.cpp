#include <QCoreApplication>

int RunSettingsStoreTests(int argc, char** argv);
int RunPathTests(int argc, char** argv);
int RunGameLaunchTests(int argc, char** argv);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int storeFailures = RunSettingsStoreTests(argc, argv);
    const int pathFailures = RunPathTests(argc, argv);
    const int launchFailures = RunGameLaunchTests(argc, argv);
    return storeFailures + pathFailures + launchFailures;
}
