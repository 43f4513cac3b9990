#include "TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#ifdef QT_WIDGETS_LIB
#include <QApplication>
using Application = QApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

namespace {

std::map<std::string, std::function<std::unique_ptr<QObject>()>>& Classes() {
    static std::map<std::string, std::function<std::unique_ptr<QObject>()>> classes;
    return classes;
}

} // namespace

void TestRegistry::Add(const char* name, std::function<std::unique_ptr<QObject>()> make) {
    Classes().emplace(name, std::move(make));
}

int main(int argc, char** argv) {
    // Neither a test nor a program it starts keeps its history in the user's own data folder.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    Application app(argc, argv);
    std::vector<char*> arguments(argv, argv + argc);
    const bool chosen = argc > 1 && Classes().count(argv[1]) > 0;
    if (chosen)
        arguments.erase(arguments.begin() + 1);
    int failures = 0;
    for (const auto& [name, make] : Classes()) {
        if (chosen && name != argv[1])
            continue;
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), int(arguments.size()), arguments.data());
    }
    return failures == 0 ? 0 : 1;
}
