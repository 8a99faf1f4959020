#pragma once

#include "CalculatorView.h"
#include "IntConversion.h"

#include <exception>
#include <string>
#include <utility>

namespace kandorex {

// The five values of the last calculation, in metres and square metres.
struct WallFigures {
    float CellWidth = 0;
    float CellHeight = 0;
    float WallWidth = 0;
    float WallHeight = 0;
    float WallArea = 0;
};

// The calculator's behaviour: one method for each event of each input box, named after the box
// and the event, each ending in CalcWall after any change. Handlers let a ConvertError escape,
// as an error leaving an event handler would; runHandler() is where it is caught and reported.
class WallCalculator {
  public:
    explicit WallCalculator(CalculatorView &view, std::string decimalSeparator = ".");

    void FormCreate();
    void cbbXnChange();
    void cbbYnChange();
    void cbbCellSelChange();
    // The digit filter: `key` is the character about to enter the box; a refused one becomes 0.
    void cbbXnKeyPress(char32_t &key);
    void cbbYnKeyPress(char32_t &key);

    void CalcWall();

    const WallFigures &figures() const noexcept { return figures_; }

  private:
    void checkCount(Box box);
    void filterDigit(char32_t &key);

    CalculatorView &view_;
    std::string decimalSeparator_;
    WallFigures figures_;
};

// Runs one handler as the event loop would: an error escaping it is reported, and nothing more.
template <typename Handler> void runHandler(CalculatorView &view, Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const ConvertError &error) {
        view.reportError(error.message());
    } catch (const std::exception &error) {
        view.reportError(error.what());
    }
}

} // namespace kandorex
