// The checks of the service contract tests, which are built twice: natively over the
// simulated machine, where they are GoogleTest tests, and with MinGW into
// contract_tests.exe, run under Wine over the real Windows API, where a small harness runs
// and prints them (tests/win32/ContractHarness.cpp).
#pragma once

#include <sstream>
#include <string>

#include "platform/String.h"

namespace contract {

inline std::string Show(const CString& value) { return "\"" + std::string(value.GetString(), value.GetLength()) + "\""; }
inline std::string Show(const std::string& value) { return "\"" + value + "\""; }
inline std::string Show(const char* value) { return value ? Show(std::string(value)) : "nullptr"; }
template <typename T> std::string Show(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

} // namespace contract

#ifdef _WIN32

namespace contract {

typedef void (*TestFunction)();

// Registers a test at static initialisation; the harness runs them in registration order.
struct Registrar {
    Registrar(const char* suite, const char* name, TestFunction function);
};

// Records a failed check of the running test.
void Fail(const char* file, int line, const std::string& message);

template <typename A, typename B>
void CheckEqual(const char* file, int line, const char* text, const A& actual, const B& expected) {
    if (!(actual == expected))
        Fail(file, line, std::string(text) + ": got " + Show(actual) + ", expected " + Show(expected));
}

} // namespace contract

#define CONTRACT_TEST(suite, name)                                                            \
    static void suite##_##name();                                                             \
    static contract::Registrar suite##_##name##_registrar(#suite, #name, suite##_##name);     \
    static void suite##_##name()
#define CHECK_EQ(actual, expected)                                                            \
    contract::CheckEqual(__FILE__, __LINE__, #actual, (actual), (expected))
#define CHECK_TRUE(condition)                                                                 \
    ((condition) ? (void)0 : contract::Fail(__FILE__, __LINE__, #condition " is false"))

#else

#include <gtest/gtest.h>

#define CONTRACT_TEST(suite, name) TEST(Contract##suite, name)
#define CHECK_EQ(actual, expected) EXPECT_EQ(actual, expected)
#define CHECK_TRUE(condition) EXPECT_TRUE(condition)

#endif
