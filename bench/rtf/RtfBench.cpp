// The help's speed against `unrtf --html`, like with like, in interleaved
// rounds: whole processes against whole processes (`korvel-config manual`
// against `unrtf --html`), and the window's path in process (read the file,
// parse it, build the QTextDocument and lay it out at the viewer's width).
// First on a 1 MB user guide, then on the shapes hardest on a layout. Prints
// medians and ratios beside the goals.

#include "Median.h"
#include "ProcessTime.h"
#include "RtfBenchDocument.h"
#include "rtf/RtfReader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#ifdef KORVEL_BENCH_QT
#include "ui/RtfTextDocument.h"
#include "ui/frmIstruzioni.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#endif

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kDocumentSize = 1024 * 1024;
constexpr int kGuideRounds = 7;
constexpr int kShapeRounds = 5;
constexpr double kShapeGoalMsPerMb = 1000;

// One way of showing a document, timed once per round; `run` returns false
// when it could not.
struct Contender {
    Contender(std::string name_, std::function<bool()> run_)
        : name(std::move(name_)), run(std::move(run_)) {}

    std::string name;
    std::function<bool()> run;
    std::vector<double> times;
    bool failed = false;

    std::optional<double> median() const {
        if (failed || times.empty()) {
            return std::nullopt;
        }
        return korvel::bench::Median(times);
    }
};

// Each round times every contender once, starting with a different one each
// round, so that a slow spell of the machine is shared out.
void RunInterleaved(std::vector<Contender>& contenders, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < contenders.size(); ++i) {
            Contender& c = contenders[(i + static_cast<std::size_t>(round)) % contenders.size()];
            if (c.failed) {
                continue;
            }
            const auto start = Clock::now();
            c.failed = !c.run();
            c.times.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

std::function<bool()> Process(std::vector<std::string> argv) {
    return [argv = std::move(argv)] { return korvel::bench::TimeProcess(argv).has_value(); };
}

// The command-line program built beside this benchmark.
std::optional<fs::path> ManualProgram() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    const fs::path program = self.parent_path() / "korvel-config";
    if (error || !fs::exists(program, error)) {
        return std::nullopt;
    }
    return program;
}

#ifdef KORVEL_BENCH_QT
// The width the help window gives its text: the viewer's width less its frame
// and the vertical scroll bar that a long document brings.
int ViewerTextWidth() {
    const korvel::frmIstruzioni window;
    const auto* viewer = window.findChild<QTextBrowser*>(QStringLiteral("rtfIstruzioni"));
    return viewer->width() - 2 * viewer->frameWidth() -
           viewer->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, viewer);
}

std::function<bool()> WindowPath(const fs::path& file, int width) {
    return [file, width] {
        QTextDocument document;
        korvel::FillTextDocument(document, korvel::rtf::ReadRtf(ReadFile(file)));
        document.setTextWidth(width);
        return document.documentLayout()->documentSize().height() > 0;
    };
}
#endif

void PrintRow(const Contender& c, std::optional<double> unrtf) {
    const auto median = c.median();
    if (!median) {
        std::printf("  %-58s not available\n", c.name.c_str());
        return;
    }
    std::printf("  %-58s %9.1f ms", c.name.c_str(), *median);
    if (unrtf) {
        std::printf("   unrtf/ours %6.2f", *unrtf / *median);
    }
    std::printf("\n");
}

struct Bench {
    fs::path folder;
    std::optional<fs::path> manual = ManualProgram();
    int width = 0;

    // Writes `text` as `name`, runs every contender on it and prints the
    // medians; returns the window path's median for the caller's goal line.
    std::optional<double> run(const char* title, const char* name, const std::string& text,
                              int rounds) const {
        const fs::path file = folder / name;
        std::ofstream(file, std::ios::binary) << text;
        std::vector<Contender> contenders;
        contenders.push_back({"unrtf --html FILE (process)", Process({"unrtf", "--html", file})});
        if (manual) {
            contenders.push_back({"korvel-config manual --width 80 FILE (process)",
                                  Process({manual->string(), "manual", "--width", "80", file})});
        }
#ifdef KORVEL_BENCH_QT
        contenders.push_back({"window: read, parse, QTextDocument, layout at " +
                                  std::to_string(width) + " px (in process)",
                              WindowPath(file, width)});
#endif
        RunInterleaved(contenders, rounds);
        std::printf("%s: %zu bytes, median of %d interleaved rounds\n", title, text.size(), rounds);
        const auto unrtf = contenders.front().median();
        for (const Contender& c : contenders) {
            PrintRow(c, &c == &contenders.front() ? std::nullopt : unrtf);
        }
#ifdef KORVEL_BENCH_QT
        return contenders.back().median();
#else
        return std::nullopt;
#endif
    }
};

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each line as it comes, also into a file
#ifdef KORVEL_BENCH_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
#else
    (void)argc;
    (void)argv;
#endif
    std::string pattern = (fs::temp_directory_path() / "bench-rtf-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("bench-rtf: cannot make a temporary folder");
        return 1;
    }
    Bench bench;
    bench.folder = pattern;
#ifdef KORVEL_BENCH_QT
    bench.width = ViewerTextWidth();
#endif
    if (!bench.manual) {
        std::printf("korvel-config is not built beside this benchmark: its row is left out\n");
    }

    bench.run("Guide-like document", "guide.rtf", korvel::bench::MakeRtfDocument(kDocumentSize),
              kGuideRounds);
    std::printf("  goal: korvel-config manual and the window path both faster than unrtf "
                "(unrtf/ours above 1)\n\n");

    struct Shape {
        const char* title;
        const char* name;
        std::string (*make)(std::size_t);
    };
    const Shape shapes[] = {
        {"One word of 1 MB", "word.rtf", korvel::bench::MakeOneWordDocument},
        {"250 000 escapes", "escapes.rtf", korvel::bench::MakeEscapesDocument},
        {"200 000 empty paragraphs", "paragraphs.rtf", korvel::bench::MakeEmptyParagraphsDocument},
    };
    for (const Shape& shape : shapes) {
        const std::string text = shape.make(kDocumentSize);
        if (const auto window = bench.run(shape.title, shape.name, text, kShapeRounds)) {
            const double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
            std::printf("  goal: the window path under %.0f ms per MB: %.1f ms per MB\n",
                        kShapeGoalMsPerMb, *window / megabytes);
        }
        std::printf("\n");
    }
    std::error_code error;
    fs::remove_all(bench.folder, error);
    return 0;
}
