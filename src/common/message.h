#pragma once
// Modal message boxes as the core asks for them. The Qt screens show a real
// QMessageBox; tests record what would have been shown.

#include <string>
#include <string_view>

namespace hk {

enum class MsgIcon { None, Information, Exclamation, Critical };

// The title of boxes that have no title of their own.
inline constexpr std::string_view kAppTitle = "HKberech";

struct Message {
    std::string text;
    std::string title;
    MsgIcon icon = MsgIcon::None;
    bool operator==(const Message&) const = default;
};

// A question with two buttons. The second one is the default and answers
// Escape, so a slip of the finger never does what cannot be undone.
struct Question {
    std::string text;
    std::string title; // empty: the program's name
    std::string confirm;
    std::string cancel;
    std::string other; // a third button between the two (choose only)
    bool operator==(const Question&) const = default;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Modal: returns when the user has closed the box.
    virtual void showMessage(const Message& message) = 0;
};

} // namespace hk
