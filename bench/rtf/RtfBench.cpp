// Reads and lays out a generated 1 MB RTF document, and times `unrtf --html`
// on the same file in the same run. Prints medians of several rounds and the
// ratio.

#include "Median.h"
#include "RtfBenchDocument.h"
#include "rtf/PlainTextRenderer.h"
#include "rtf/RtfReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <vector>

#ifdef KORVEL_BENCH_QT
#include "ui/RtfTextDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextDocument>
#endif

namespace {

constexpr int kRounds = 7;
using Clock = std::chrono::steady_clock;

double MedianMilliseconds(const std::function<bool()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = Clock::now();
        if (!work()) {
            return -1;
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return korvel::bench::Median(times);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

void Report(const char* what, double ours, double unrtf) {
    std::printf("%-44s %9.2f ms", what, ours);
    if (unrtf > 0) {
        std::printf("   unrtf/ours = %.2f", unrtf / ours);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
#ifdef KORVEL_BENCH_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
#else
    (void)argc;
    (void)argv;
#endif
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "korvel-bench-rtf.rtf";
    {
        std::ofstream out(file, std::ios::binary);
        out << korvel::bench::MakeRtfDocument(1024 * 1024);
    }
    const auto bytes = std::filesystem::file_size(file);
    std::printf("document: %s, %ju bytes, median of %d rounds\n", file.string().c_str(),
                static_cast<std::uintmax_t>(bytes), kRounds);

    const std::string command = "unrtf --html '" + file.string() + "' > /dev/null 2>&1";
    const double unrtf = MedianMilliseconds([&] { return std::system(command.c_str()) == 0; });
    if (unrtf < 0) {
        std::printf("%-44s not available (install the Debian package unrtf)\n", "unrtf --html");
    } else {
        std::printf("%-44s %9.2f ms\n", "unrtf --html (process, read, convert)", unrtf);
    }

    std::size_t blocks = 0;
    const double parse = MedianMilliseconds([&] {
        blocks = korvel::rtf::ReadRtf(ReadFile(file)).blocks.size();
        return true;
    });
    Report("read file + parse", parse, unrtf);

    std::size_t lines = 0;
    const double plain = MedianMilliseconds([&] {
        const std::string text =
            korvel::rtf::RenderPlainText(korvel::rtf::ReadRtf(ReadFile(file)), 80);
        lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        return true;
    });
    Report("read file + parse + plain-text layout", plain, unrtf);
    std::printf("  (%zu blocks, %zu lines of text)\n", blocks, lines);

#ifdef KORVEL_BENCH_QT
    double pages = 0;
    const double window = MedianMilliseconds([&] {
        QTextDocument document;
        korvel::FillTextDocument(document, korvel::rtf::ReadRtf(ReadFile(file)));
        document.setTextWidth(614);
        pages = document.documentLayout()->documentSize().height();
        return true;
    });
    Report("read file + parse + QTextDocument layout", window, unrtf);
    std::printf("  (laid out %.0f px high at 614 px wide)\n", pages);
#endif
    std::filesystem::remove(file);
    return 0;
}
