#pragma once

#include "RuntimeError.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Lets test failures show texts and error kinds readably.
inline void PrintTo(const Text& text, std::ostream* out)
{
    const std::string utf8 = text.toUtf8();
    *out << '\'' << (utf8.size() > 80 ? utf8.substr(0, 40) + "...(" + std::to_string(utf8.size()) + " chars)" : utf8)
         << '\'';
}

inline void PrintTo(ErrorKind kind, std::ostream* out)
{
    *out << RuntimeError(kind).description();
}

inline std::string repeated(const std::string& part, std::size_t times)
{
    std::string out;
    out.reserve(part.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += part;
    return out;
}

// gtest row names: the row's own name.
struct RowName {
    template <class Param>
    std::string operator()(const testing::TestParamInfo<Param>& info) const
    {
        return info.param.name;
    }
};
