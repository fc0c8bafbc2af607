#pragma once

#include <array>
#include <cstdio>
#include <streambuf>

namespace korvel::cli {

// A buffer for standard output that keeps the error number of the first write
// that failed (a full disk, a closed pipe), so that the command can say why
// its output is missing instead of ending with success. Everything written
// after a failure is dropped.
class CheckedOutput : public std::streambuf {
public:
    explicit CheckedOutput(std::FILE* file) : file_(file) { resetBuffer(); }
    ~CheckedOutput() override { sync(); }

    // The error number of the first failed write; 0 while every write succeeded.
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool writeOut();
    void resetBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

    std::FILE* file_;
    int error_ = 0;
    std::array<char, 8192> buffer_{};
};

} // namespace korvel::cli
