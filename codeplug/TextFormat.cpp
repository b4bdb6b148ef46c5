#include "codeplug/TextFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/CNumericLocale.h"

namespace norda {
namespace {

template <typename T>
std::string Printf(const std::string& spec, T value) {
    const CNumericLocale c;
    int n = std::snprintf(nullptr, 0, spec.c_str(), value);
    if (n <= 0)
        return {};
    std::string buf(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(buf.data(), buf.size(), spec.c_str(), value);
    buf.resize(static_cast<size_t>(n));
    return buf;
}

long long AsInteger(const FormatArg& a) {
    if (auto* i = std::get_if<long long>(&a))
        return *i;
    if (auto* d = std::get_if<double>(&a))
        return static_cast<long long>(*d);
    return std::atoll(std::get<std::string>(a).c_str());
}

double AsReal(const FormatArg& a) {
    if (auto* d = std::get_if<double>(&a))
        return *d;
    if (auto* i = std::get_if<long long>(&a))
        return static_cast<double>(*i);
    const CNumericLocale c;
    return std::atof(std::get<std::string>(a).c_str());
}

std::string AsText(const FormatArg& a) {
    if (auto* s = std::get_if<std::string>(&a))
        return *s;
    if (auto* i = std::get_if<long long>(&a))
        return std::to_string(*i);
    return Printf("%g", std::get<double>(a));
}

}  // namespace

std::string FormatText(std::string_view format, const std::vector<FormatArg>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // Flags, width and precision are kept (bounded); length modifiers are replaced.
        std::string spec = "%";
        size_t j = i + 1;
        while (j < format.size() &&
               std::string_view("-+ #0").find(format[j]) != std::string_view::npos)
            spec += format[j++];
        for (int digits = 0;
             j < format.size() &&
             (std::isdigit(static_cast<unsigned char>(format[j])) || format[j] == '.');
             ++j) {
            if (format[j] == '.') {
                digits = 0;
            } else if (++digits > 3) {
                continue;
            }
            spec += format[j];
        }
        while (j < format.size() &&
               std::string_view("hlLqjzt").find(format[j]) != std::string_view::npos)
            ++j;
        if (j >= format.size())
            break;
        const char conv = format[j];
        i = j;
        const FormatArg arg = next < args.size() ? args[next] : FormatArg(std::string());
        ++next;
        switch (conv) {
            case 'd':
            case 'i':
                out += Printf(spec + "lld", AsInteger(arg));
                break;
            case 'u':
            case 'x':
            case 'X':
            case 'o':
                out += Printf(spec + "ll" + conv, static_cast<unsigned long long>(AsInteger(arg)));
                break;
            case 'c':
                out += Printf(spec + "c", static_cast<int>(AsInteger(arg)));
                break;
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
                out += Printf(spec + conv, AsReal(arg));
                break;
            case 's':
                out += Printf(spec + "s", AsText(arg).c_str());
                break;
            default:
                break;  // unknown conversions print nothing
        }
    }
    return out;
}

}  // namespace norda
