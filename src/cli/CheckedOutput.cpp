#include "cli/CheckedOutput.h"

#include <cerrno>

namespace korvel::cli {

// Each buffer full is handed on and flushed at once, so the error number is
// the one of the write that failed.
bool CheckedOutput::writeOut() {
    const auto size = static_cast<std::size_t>(pptr() - pbase());
    if (error_ == 0 && size > 0) {
        errno = 0;
        if (std::fwrite(pbase(), 1, size, file_) != size || std::fflush(file_) != 0) {
            error_ = errno != 0 ? errno : EIO;
        }
    }
    resetBuffer();
    return error_ == 0;
}
CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
    if (!writeOut()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int CheckedOutput::sync() {
    return writeOut() ? 0 : -1;
}

} // namespace korvel::cli
