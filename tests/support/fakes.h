#pragma once
// Stand-ins for the project data screen, the hourglass and message boxes,
// and a file system that fails at a chosen step; a temporary folder and
// whole-file helpers.

#include "project/file_commands.h"
#include "project/project_header_form.h"
#include "support/file_dialogs.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace hk::test {

class FakeBusy : public BusyIndicator {
public:
    bool busy = false;
    std::vector<bool> changes;
    void setBusy(bool b) override {
        busy = b;
        changes.push_back(b);
    }
};

class MessageLog : public MessageSink {
public:
    std::vector<Message> shown;
    const FakeBusy* watchBusy = nullptr;
    bool busyWhileShown = false; // an hourglass over a modal box
    void showMessage(const Message& m) override {
        shown.push_back(m);
        busyWhileShown = busyWhileShown || (watchBusy != nullptr && watchBusy->busy);
    }
};

// Form2 without widgets: the eleven boxes and the focus.
class FakeHeaderScreen : public HeaderScreen {
public:
    std::array<std::string, ProjectHeader::kFieldCount> boxes{};
    int focus = 0; // 0: nobody asked for it
    std::vector<Message> shown;

    std::string fieldText(int n) const override {
        return boxes.at(static_cast<std::size_t>(n - 1));
    }
    void focusField(int n) override { focus = n; }
    void showMessage(const Message& m) override { shown.push_back(m); }
};

enum class Step { None, Inspect, Create, Adopt, Write, WriteNothing, Flush, Link, Close, Rename };

// The machine's file system, except that one step fails with err. A failing
// write first writes half of what it was given, as a full disk does. Without
// unnamed files it acts as a system that has none (Windows, older kernels).
class FailingFileOps : public FileOps {
public:
    Step failAt = Step::None;
    int err = EIO;
    bool unnamedFiles = true;
    const FakeBusy* watchBusy = nullptr;
    bool readWhileBusy = false;

    int inspect(const std::string& p, PathInfo& i) override {
        return failAt == Step::Inspect ? err : real().inspect(p, i);
    }
    int readAll(const std::string& p, std::size_t limit, std::string& b) override {
        readWhileBusy = watchBusy != nullptr && watchBusy->busy;
        return real().readAll(p, limit, b);
    }
    int createUnnamed(const std::string& f, unsigned mode, int& h) override {
        if (!unnamedFiles) {
            return kErrNoUnnamed;
        }
        return failAt == Step::Create ? err : real().createUnnamed(f, mode, h);
    }
    int createNew(const std::string& p, unsigned mode, int& h) override {
        return failAt == Step::Create ? err : real().createNew(p, mode, h);
    }
    int adopt(int h, const PathInfo& replaced) override {
        return failAt == Step::Adopt ? err : real().adopt(h, replaced);
    }
    int link(int h, const std::string& p) override {
        return failAt == Step::Link ? err : real().link(h, p);
    }
    int write(int h, std::string_view b, std::size_t& written) override {
        if (failAt == Step::WriteNothing) {
            written = 0;
            return 0;
        }
        if (failAt == Step::Write) {
            real().write(h, b.substr(0, b.size() / 2), written);
            return err;
        }
        return real().write(h, b, written);
    }
    int flush(int h) override { return failAt == Step::Flush ? err : real().flush(h); }
    int close(int h) override {
        const int r = real().close(h);
        return failAt == Step::Close ? err : r;
    }
    int rename(const std::string& a, const std::string& b) override {
        return failAt == Step::Rename ? err : real().rename(a, b);
    }
    int remove(const std::string& p) override { return real().remove(p); }
    int flushFolder(const std::string& f) override { return real().flushFolder(f); }

private:
    static FileOps& real() { return SystemFileOps(); }
};

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static std::random_device seed;
        std::mt19937 pick(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = std::filesystem::temp_directory_path() /
                    ("hkproj-" + std::to_string(pick() % 1000000000u));
            if (std::filesystem::create_directory(path_)) {
                return;
            }
        }
        throw std::runtime_error("no temporary folder");
    }
    ~TempFolder() {
        // Windows deletes no read-only file, Linux no file in a read-only folder.
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            std::error_code ignored;
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return Utf8Of(path_ / PathOf(name)); }
    std::string path() const { return Utf8Of(path_); }

    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(path_)) {
            out.insert(Utf8Of(e.path().filename()));
        }
        return out;
    }

private:
    std::filesystem::path path_;
};

// What a file command is handed in a test: a fresh folder, the file dialog
// (it cancels until the test sets its answer) and the message recorder.
struct FileCommandRig {
    TempFolder dir;
    FakeFileDialogs dialogs;
    MessageLog messages;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

inline void Spit(const std::string& path, std::string_view bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace hk::test
