// Benchmarks of what the user waits for on the screens, offscreen: the load
// command with the display screen that shows the loaded listing, for a
// project file at the load limit's order of size with one long line, with
// ordinary listing lines, and with empty lines only.
//   cmake --preset release && cmake --build build/release -j2 --target hk_gui_bench
//   build/release/bench/hk_gui_bench

#include "project/file_commands.h"
#include "project/project_file.h"
#include "ui/display_screen.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t kListingBytes = 15u * 1024u * 1024u;

class NamedFile : public hk::FileDialogs {
public:
    explicit NamedFile(std::string path) : path_(std::move(path)) {}
    std::string saveFileName(const std::vector<hk::FileFilter>&) override { return path_; }
    std::string openFileName(const std::string&, const std::vector<hk::FileFilter>&) override {
        return path_;
    }
    std::string exportFileName(const std::string&, const hk::FileFilter&) override { return path_; }

private:
    std::string path_;
};

class NoHourglass : public hk::BusyIndicator {
public:
    void setBusy(bool) override {}
};

class FailOnMessage : public hk::MessageSink {
public:
    void showMessage(const hk::Message& m) override {
        std::fprintf(stderr, "%s\n", m.text.c_str());
        std::abort();
    }
};

// A project of one radiator whose listing is about 15 MB of lines of the
// given length (0: one line of the whole size).
std::string ProjectFile(std::size_t lineLength) {
    hk::ProgramState s;
    s.header[1] = "P-15MB";
    s.LfNr = 1;
    s.dNorm = 60;
    auto image = hk::ProjectFileBytes(s);
    if (!image) {
        std::abort();
    }
    std::string bytes = std::move(image->bytes);
    bytes.erase(bytes.size() - 2); // the empty listing's line
    if (lineLength == 0) {
        bytes += std::string(kListingBytes, 'x') + "\r\n";
    } else {
        const std::string line = std::string(lineLength, 'x') + "\r\n";
        while (bytes.size() < kListingBytes) {
            bytes += line;
        }
    }
    return bytes + "\r\n";
}

std::string WrittenOnce(std::size_t lineLength) {
    const auto path =
        std::filesystem::temp_directory_path() /
        ("hk-gui-bench-" + std::to_string(::getpid()) + "-" + std::to_string(lineLength) + ".txt");
    std::ofstream(path, std::ios::binary) << ProjectFile(lineLength);
    return path.string();
}

// Ctrl+L as the shell runs it: the load command, then the display screen
// with the listing, shown and painted.
void BM_LoadAndShowListing(benchmark::State& st) {
    const std::string path = WrittenOnce(static_cast<std::size_t>(st.range(0)));
    NamedFile dialogs(path);
    NoHourglass busy;
    FailOnMessage messages;
    for (auto _ : st) {
        hk::ProgramState state;
        if (hk::mnuItemOpen_Click(state, dialogs, busy, messages) != hk::LoadOutcome::Loaded) {
            st.SkipWithError("not loaded");
            break;
        }
        hk::ui::frmForm4 form;
        form.setListing(state.ListingText);
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.findChild<QPlainTextEdit*>()->document()->blockCount());
    }
    std::filesystem::remove(path);
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) *
                         static_cast<std::int64_t>(kListingBytes));
}
BENCHMARK(BM_LoadAndShowListing)
    ->ArgName("line")
    ->Arg(0)   // one line of 15 MB without a blank
    ->Arg(100) // lines as long as listing lines
    ->Arg(1)   // five million lines of one character: the box shows the first ones
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
