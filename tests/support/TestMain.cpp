#include "TestRegistry.h"

#include <QApplication>
#include <QTest>

namespace zorvikta::test {

std::vector<TestFactory>& registry()
{
    static std::vector<TestFactory> factories;
    return factories;
}

} // namespace zorvikta::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto& factory : zorvikta::test::registry()) {
        const auto testObject = factory();
        failures += QTest::qExec(testObject.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
