#pragma once

#include <string>

namespace kandorex {

// The four boxes the calculator reads and writes; the names are those of the window's controls.
enum class Box { cbbCellSel, cbbXn, cbbYn, edtView };

// What the calculator needs of its window. All texts are UTF-8.
class CalculatorView {
  public:
    virtual ~CalculatorView() = default;

    virtual std::string boxText(Box box) const = 0;
    // A replacement made by the program: it must not raise the box's change event.
    virtual void replaceBoxText(Box box, const std::string &text) = 0;
    // Entry `index` of the box's fixed list, counted from 0.
    virtual std::string boxItem(Box box, int index) const = 0;

    // The short alert for a refused keystroke.
    virtual void messageBeep() = 0;
    // Shows an error that escaped an event handler; the program then goes on.
    virtual void reportError(const std::string &message) = 0;
};

} // namespace kandorex
