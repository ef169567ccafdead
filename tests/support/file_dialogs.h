#pragma once
// The file dialogs answered by the test: from a queue of answers first, then
// with the standing answer (empty: the user cancels). Every request is kept.

#include "project/file_commands.h"

#include <deque>
#include <string>
#include <vector>

namespace hk::test {

class FakeFileDialogs : public FileDialogs {
public:
    enum class Kind { Save, Open, Export };
    struct Request {
        Kind kind;
        // the open dialog's title, an export's proposed file name, the save
        // dialog's proposed path
        std::string title;
        std::vector<FileFilter> filters;
    };
    std::deque<std::string> answers;
    std::string answer;
    std::vector<Request> requests;

    std::string saveFileName(const std::vector<FileFilter>& filters,
                             const std::string& proposedPath) override {
        return next({Kind::Save, proposedPath, filters});
    }
    std::string openFileName(const std::string& title,
                             const std::vector<FileFilter>& filters) override {
        return next({Kind::Open, title, filters});
    }
    std::string exportFileName(const std::string& proposedName, const FileFilter& filter) override {
        return next({Kind::Export, proposedName, {filter}});
    }

    // How many dialogs of one kind were opened.
    int calls(Kind kind) const {
        int n = 0;
        for (const Request& r : requests) {
            n += r.kind == kind ? 1 : 0;
        }
        return n;
    }
    // The last dialog opened; a test asks only after one was.
    const Request& last() const { return requests.back(); }

private:
    std::string next(Request request) {
        requests.push_back(std::move(request));
        if (answers.empty()) {
            return answer;
        }
        std::string a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace hk::test
