#pragma once

// A serial port that records what is written to it instead of sending it, for
// the transfer's tests and the window's tests alike.

#include "transfer/SerialPort.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace korvel::test {

// What happens, in order, to a fake port and its surroundings.
using Log = std::vector<std::string>;

// What a fake serial line saw, and how it is to fail.
struct Line {
    std::vector<std::uint8_t> bytes; // every byte written
    int writes = 0;
    int selectedNumber = -1;
    bool open = false;
    // The operation that fails with "COM3: <operation> failed": "select", "open",
    // "write1" to "write4", "close"; "notopen" makes the port read as not open
    // after opening.
    std::string failAt;
    std::string failSelect; // when set, choosing the port fails with this message
    std::string failOpen;   // when set, opening fails with this message
};

class FakePort : public SerialPort {
public:
    // A port on a line of its own that writes each call to `log`.
    explicit FakePort(Log& log) : line_(std::make_shared<Line>()), log_(&log) {}
    // A port on a line the test keeps, so that it outlives the port.
    explicit FakePort(std::shared_ptr<Line> line) : line_(std::move(line)) {}

    Line& line() { return *line_; }

    PortResult select(int number) override {
        record("select " + std::to_string(number));
        line_->selectedNumber = number;
        if (number < 1) {
            return Failure{"No serial port chosen"};
        }
        if (!line_->failSelect.empty()) {
            return Failure{line_->failSelect};
        }
        return failure("select");
    }
    PortResult open() override {
        record("open");
        if (!line_->failOpen.empty()) {
            return Failure{line_->failOpen};
        }
        if (auto opened = failure("open"); !opened) {
            return opened;
        }
        line_->open = line_->failAt != "notopen";
        return {};
    }
    bool isOpen() const override { return line_->open; }
    PortResult write(std::span<const std::uint8_t> bytes) override {
        ++line_->writes;
        record("write " + std::to_string(bytes.size()));
        if (auto written = failure("write" + std::to_string(line_->writes)); !written) {
            return written;
        }
        line_->bytes.insert(line_->bytes.end(), bytes.begin(), bytes.end());
        return {};
    }
    PortResult close() override {
        record("close");
        line_->open = false;
        return failure("close");
    }

private:
    void record(std::string entry) {
        if (log_) {
            log_->push_back(std::move(entry));
        }
    }
    PortResult failure(const std::string& operation) const {
        if (line_->failAt == operation) {
            return Failure{"COM3: " + operation + " failed"};
        }
        return {};
    }

    std::shared_ptr<Line> line_;
    Log* log_ = nullptr;
};

} // namespace korvel::test
