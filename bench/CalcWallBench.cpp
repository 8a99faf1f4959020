// Times the whole calculation behind one result line, and the integer conversion on the texts a
// count box may hold, from typical to hostile.
#include "IntConversion.h"
#include "RecordingView.h"
#include "UnitTable.h"
#include "WallCalculator.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using kandorex::Box;

// One CalcWall per call, cycling through every model and count (13 × 16 × 16 walls).
void BM_CalcWallEveryWall(benchmark::State &state)
{
    kandorex::testing::RecordingView view;
    kandorex::WallCalculator calculator(view);
    calculator.FormCreate();
    struct Input {
        std::string model, across, down;
    };
    std::vector<Input> inputs;
    for (const auto &unit : kandorex::kSpliceUnits)
        for (int across = 1; across <= 16; ++across)
            for (int down = 1; down <= 16; ++down)
                inputs.push_back(
                    {std::string(unit.text), std::to_string(across), std::to_string(down)});
    std::size_t next = 0;
    for (auto _ : state) {
        const Input &input = inputs[next];
        next = next + 1 == inputs.size() ? 0 : next + 1;
        view.type(Box::cbbCellSel, input.model);
        view.type(Box::cbbXn, input.across);
        view.type(Box::cbbYn, input.down);
        calculator.CalcWall();
        benchmark::DoNotOptimize(view.boxText(Box::edtView));
        view.replacements.clear();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalcWallEveryWall);

void convert(benchmark::State &state, const std::string &text)
{
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(kandorex::strToInt(text));
        } catch (const kandorex::ConvertError &error) {
            benchmark::DoNotOptimize(error.message().data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK_CAPTURE(convert, typical_2, std::string("2"));
BENCHMARK_CAPTURE(convert, leading_zeros_007, std::string("007"));
BENCHMARK_CAPTURE(convert, hex_FFFFFFFF, std::string("$FFFFFFFF"));
BENCHMARK_CAPTURE(convert, letters_abc, std::string("abc"));
BENCHMARK_CAPTURE(convert, zeros_1MiB_then_9, std::string(1 << 20, '0') + "9");
BENCHMARK_CAPTURE(convert, nines_1MiB, std::string(1 << 20, '9'));
BENCHMARK_CAPTURE(convert, letters_1MiB, std::string(1 << 20, 'a'));

} // namespace
