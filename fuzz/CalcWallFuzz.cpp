// Fuzzes the handlers with arbitrary box texts and keystrokes: every change must end in a result
// line or the conversion error for a count text, never in a crash, undefined behaviour or a count
// box left holding a number outside 1 to 16.
#include "IntConversion.h"
#include "RecordingView.h"
#include "WallCalculator.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using kandorex::Box;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool isResultLine(const std::string &line)
{
    const std::string_view head = "总宽度";
    const std::string_view tail = "平方米";
    return line.size() > head.size() + tail.size() && line.compare(0, head.size(), head) == 0 &&
           line.compare(line.size() - tail.size(), tail.size(), tail) == 0 &&
           line.find("米×总高度") != std::string::npos &&
           line.find("米=总面积") != std::string::npos;
}

bool isCountInRange(const std::string &text)
{
    try {
        const std::int32_t count = kandorex::strToInt(text);
        return count >= 1 && count <= 16;
    } catch (const kandorex::ConvertError &) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Up to four parts split at newlines: model text, across text, down text, keystrokes.
    std::string parts[4];
    std::size_t part = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' && part < 3)
            ++part;
        else
            parts[part] += static_cast<char>(data[i]);
    }

    kandorex::testing::RecordingView view;
    kandorex::WallCalculator calculator(view);
    kandorex::runHandler(view, [&] { calculator.FormCreate(); });
    if (!view.reports.empty() || !isResultLine(view.boxText(Box::edtView)))
        fail("start-up failed");

    const struct {
        Box box;
        void (kandorex::WallCalculator::*handler)();
    } edits[] = {{Box::cbbCellSel, &kandorex::WallCalculator::cbbCellSelChange},
                 {Box::cbbXn, &kandorex::WallCalculator::cbbXnChange},
                 {Box::cbbYn, &kandorex::WallCalculator::cbbYnChange}};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string lineBefore = view.boxText(Box::edtView);
        const std::size_t reportsBefore = view.reports.size();
        view.type(edits[i].box, parts[i]);
        kandorex::runHandler(view, [&] { (calculator.*edits[i].handler)(); });

        if (view.reports.size() == reportsBefore) {
            if (!isResultLine(view.boxText(Box::edtView)))
                fail("no report, yet no result line");
            if (edits[i].box != Box::cbbCellSel && !isCountInRange(view.boxText(edits[i].box)))
                fail("a count outside 1 to 16 was accepted");
        } else {
            if (view.reports.size() != reportsBefore + 1)
                fail("more than one report for one change");
            if (view.boxText(Box::edtView) != lineBefore)
                fail("a failed change rewrote the result line");
            const std::string &report = view.reports.back();
            if (report != "'" + view.boxText(Box::cbbXn) + "' is not a valid integer value" &&
                report != "'" + view.boxText(Box::cbbYn) + "' is not a valid integer value")
                fail("the report names no count text");
        }
    }

    for (unsigned char byte : parts[3]) {
        char32_t key = byte;
        const int beeps = view.beeps;
        calculator.cbbXnKeyPress(key);
        const bool digit = byte >= '0' && byte <= '9';
        if (key != (digit ? char32_t(byte) : U'\0') || (view.beeps == beeps) != digit)
            fail("digit filter");
    }
    return 0;
}
