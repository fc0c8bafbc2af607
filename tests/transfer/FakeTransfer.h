#pragma once

// Fakes of the transfer's surroundings, the port and the progress view, that
// write what happens to one shared log, so that tests can check the order of
// everything.

#include "FakePort.h"
#include "transfer/ProgressView.h"

#include <string>
#include <vector>

namespace korvel::test {

class FakeView : public ProgressView {
public:
    explicit FakeView(Log& log) : log_(log) {}

    std::string text_;
    bool okVisible = true;
    bool shown = false;

    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        text_ = text;
        log_.push_back("text " + text);
    }
    void setOkVisible(bool visible) override {
        okVisible = visible;
        log_.push_back(visible ? "ok shown" : "ok hidden");
    }
    void showDialog() override {
        shown = true;
        log_.push_back("show");
    }

private:
    Log& log_;
};

} // namespace korvel::test
