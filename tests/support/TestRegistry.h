#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace zorvikta::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TestFactory>& registry();

struct RegisterTest {
    explicit RegisterTest(TestFactory factory) { registry().push_back(std::move(factory)); }
};

} // namespace zorvikta::test

// Adds a Qt Test class to its area's executable, which runs every registered class in turn.
#define ZORVIKTA_REGISTER_TEST(Class)                                                              \
    static const zorvikta::test::RegisterTest registered##Class                                    \
    {                                                                                              \
        [] { return std::make_unique<Class>(); }                                                   \
    }
