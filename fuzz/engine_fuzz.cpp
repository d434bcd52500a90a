// libFuzzer target: any text through the checker, the evaluator and the derivative must come
// back as a code, never as a crash, a hang or undefined behaviour. Built by `make fuzz`.

#include "engine/checkandtranslate.h"
#include "engine/derivative.h"
#include "engine/evaluator.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(double))
        return 0;
    double x;
    std::memcpy(&x, data, sizeof x);
    std::u16string text;
    for (size_t i = sizeof x; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    int16_t code = 0;
    zv::Evaluate(text, x, code); // raw text, as a caller outside the checker might pass
    const auto checked = zv::CheckAndTranslate(text, true);
    if (checked.code == 0) {
        zv::Evaluate(checked.text, x, code);
        int16_t flag = 0;
        zv::Derivative(checked.text, x, flag);
    }
    zv::CheckAndTranslate(text, false);
    return 0;
}
