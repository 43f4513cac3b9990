#pragma once

#include <QObject>
#include <functional>
#include <memory>

// Each folder of tests is one program: every test class registers itself with VANTREL_TEST and
// one shared main runs them all. Given a class name as its first argument, it runs that class
// alone, with the remaining arguments for Qt Test.
namespace TestRegistry {
void Add(const char* name, std::function<std::unique_ptr<QObject>()> make);
}

#define VANTREL_TEST(Class)                                                                        \
    static const bool registered##Class = [] {                                                     \
        TestRegistry::Add(#Class, [] { return std::make_unique<Class>(); });                       \
        return true;                                                                               \
    }();
