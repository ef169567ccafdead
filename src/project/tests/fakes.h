#pragma once
// Stand-ins for the project data screen, the file dialogs, the hourglass and
// message boxes, and a file system that fails at a chosen step.

#include "project/file_commands.h"
#include "project/project_header_form.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

class FakeDialogs : public FileDialogs {
public:
    std::string answer; // what the user picks; empty: cancelled
    int saveCalls = 0;
    int openCalls = 0;
    std::vector<FileFilter> filters;
    std::string title;

    std::string saveFileName(const std::vector<FileFilter>& f) override {
        ++saveCalls;
        filters = f;
        return answer;
    }
    std::string openFileName(const std::string& t, const std::vector<FileFilter>& f) override {
        ++openCalls;
        title = t;
        filters = f;
        return answer;
    }
    int exportCalls = 0;
    std::string proposedName;
    std::string exportFileName(const std::string& proposed, const FileFilter& f) override {
        ++exportCalls;
        proposedName = proposed;
        filters = {f};
        return answer;
    }
};

enum class Step { None, Inspect, Create, Write, WriteNothing, Flush, Close, Rename };

// The machine's file system, except that one step fails with err. A failing
// write first writes half of what it was given, as a full disk does.
class FailingFileOps : public FileOps {
public:
    Step failAt = Step::None;
    int err = EIO;
    const FakeBusy* watchBusy = nullptr;
    bool readWhileBusy = false;

    int inspect(const std::string& p, PathInfo& i) override {
        return failAt == Step::Inspect ? err : real().inspect(p, i);
    }
    int readAll(const std::string& p, std::size_t limit, std::string& b) override {
        readWhileBusy = watchBusy != nullptr && watchBusy->busy;
        return real().readAll(p, limit, b);
    }
    int createNew(const std::string& p, unsigned mode, int& h) override {
        return failAt == Step::Create ? err : real().createNew(p, mode, h);
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
        std::string pattern = (std::filesystem::temp_directory_path() / "hkproj-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp");
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(path_)) {
            out.insert(e.path().filename().string());
        }
        return out;
    }

private:
    std::filesystem::path path_;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

inline void Spit(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace hk::test
