#include "engine/evaluator.h"

#include "engine/errortext.h"
#include "engine/program.h"
#include "engine/res.h"
#include "engine/round15.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

namespace zv {

namespace {

// A user types few different functions; the bound only keeps a stream of distinct texts
// (a script, a fuzzer) from growing the cache without end.
constexpr size_t kCacheLimit = 1024;

// Equality as bytes: char_traits<char16_t>::compare goes one character at a time, which
// costs a long text (32,767 characters) a tenth of its evaluation time at every call.
bool SameText(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

struct Host
{
    Res res;
    std::unordered_map<std::u16string, std::unique_ptr<Program>> cache;
    // The program of the previous call: a scan passes the same text thousands of times.
    std::u16string lastText;
    const Program *last = nullptr;

    Host() { res.set_c(); }

    const Program &Find(std::u16string_view text)
    {
        if (last && SameText(text, lastText))
            return *last;
        std::u16string key(text);
        auto it = cache.find(key);
        if (it == cache.end()) {
            if (cache.size() >= kCacheLimit)
                cache.clear();
            it = cache.emplace(key, std::make_unique<Program>(Program::Compile(text))).first;
        }
        last = it->second.get();
        lastText = std::move(key);
        return *last;
    }
};

Host &TheHost()
{
    static Host host;
    return host;
}

} // namespace

void InitEvaluator()
{
    Host &host = TheHost();
    host.cache.clear();
    host.last = nullptr;
    host.lastText.clear();
    host.res = Res();
    host.res.set_c();
}

double Evaluate(std::u16string_view expression, double x, int16_t &code)
{
    Host &host = TheHost();
    // x reaches the expression as its 15-digit text would: a non-finite x has no such text,
    // and one that rounds beyond the double range overflows.
    if (!std::isfinite(x)) {
        code = kEvaluationFailed;
        return 0;
    }
    const double rounded = RoundTo15Digits(x);
    if (std::isinf(rounded)) {
        code = kOverflow;
        return 0;
    }
    host.res.setx(rounded);

    const Program &program = host.Find(expression);
    int16_t engineCode = 0;
    const double value = program.Run(host.res, engineCode);
    if (engineCode != 0) {
        code = engineCode;
        return 0;
    }
    code = host.res.eroare;
    return value;
}

} // namespace zv
