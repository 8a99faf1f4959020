#pragma once

#include "CalculatorView.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kandorex::testing {

// An in-memory window: boxes with the real lists, and a record of every replacement, beep and
// error report the calculator asks for.
class RecordingView : public CalculatorView {
  public:
    struct Replacement {
        Box box;
        std::string text;
        bool operator==(const Replacement &other) const
        {
            return box == other.box && text == other.text;
        }
    };

    RecordingView();

    std::string boxText(Box box) const override { return texts_.at(box); }
    void replaceBoxText(Box box, const std::string &text) override;
    std::string boxItem(Box box, int index) const override;
    void messageBeep() override { ++beeps; }
    void reportError(const std::string &message) override { reports.push_back(message); }

    // What the user does: sets a text without recording it as the program's replacement.
    void type(Box box, std::string text) { texts_[box] = std::move(text); }

    std::vector<Replacement> replacements;
    int beeps = 0;
    std::vector<std::string> reports;

  private:
    std::map<Box, std::string> texts_;
    std::map<Box, std::vector<std::string>> lists_;
};

} // namespace kandorex::testing
