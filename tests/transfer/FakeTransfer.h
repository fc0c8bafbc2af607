#pragma once

// Fakes of the transfer's surroundings that write what happens to one shared
// log, so that tests can check the order of everything.

#include "transfer/ProgressView.h"
#include "transfer/SerialPort.h"

#include <string>
#include <vector>

namespace korvel::test {

using Log = std::vector<std::string>;

class FakePort : public SerialPort {
public:
    explicit FakePort(Log& log) : log_(log) {}

    // The operation that fails: "select", "open", "write1" to "write4", "close";
    // "notopen" makes the port read as not open after opening.
    std::string failAt;
    bool open_ = false;
    std::vector<std::uint8_t> line; // every byte written

    std::optional<std::string> select(int number) override {
        log_.push_back("select " + std::to_string(number));
        return failure("select");
    }
    std::optional<std::string> open() override {
        log_.push_back("open");
        if (auto error = failure("open")) {
            return error;
        }
        open_ = failAt != "notopen";
        return std::nullopt;
    }
    bool isOpen() const override { return open_; }
    std::optional<std::string> write(std::span<const std::uint8_t> bytes) override {
        ++writes_;
        log_.push_back("write " + std::to_string(bytes.size()));
        if (auto error = failure("write" + std::to_string(writes_))) {
            return error;
        }
        line.insert(line.end(), bytes.begin(), bytes.end());
        return std::nullopt;
    }
    std::optional<std::string> close() override {
        log_.push_back("close");
        open_ = false;
        return failure("close");
    }

private:
    std::optional<std::string> failure(const std::string& operation) const {
        if (failAt == operation) {
            return "COM3: " + operation + " failed";
        }
        return std::nullopt;
    }

    Log& log_;
    int writes_ = 0;
};

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
