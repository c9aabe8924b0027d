#pragma once
// The application object: its modal message box, answered by a replaceable answerer (a script
// of answers, or a person at the terminal), and the user who acts on a modal form.

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::vcl {

class TForm;

// Message-box flags and results.
enum : int {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_ICONEXCLAMATION = 0x30,
    IDOK = 1,
    IDCANCEL = 2,
};

class TApplication {
public:
    using answerer = std::function<int(std::string_view text, std::string_view caption, int flags)>;
    using modal_user = std::function<void(TForm& form)>;

    // Shows the message box and returns the button pressed (IDOK, IDCANCEL). Every box is traced
    // with its answer.
    int MessageBox(std::string_view text, std::string_view caption, int flags);

    // Replace the answerer or the modal user; each returns the one it replaced. Without an
    // answerer the terminal answers; without a modal user a modal form closes at once.
    answerer SetAnswerer(answerer a);
    modal_user SetModalUser(modal_user u);

    void RunModalUser(TForm& form);

private:
    answerer m_answerer;
    modal_user m_user;
};

// The application object of the calling thread (one print run's).
extern thread_local TApplication* Application;

// Answers in the order given, then OK for every further box.
TApplication::answerer scripted_answers(std::vector<int> answers);
// Asks on `out` and reads a line from `in`: an empty line or "o"/"ok" is OK, "a"/"c"/"cancel"
// is Cancel; end of input answers Cancel.
TApplication::answerer terminal_answerer(std::istream& in, std::ostream& out);

// Replaces the answerer and the modal user for a scope.
class scoped_user {
public:
    scoped_user(TApplication::answerer a, TApplication::modal_user u);
    ~scoped_user();
    scoped_user(const scoped_user&) = delete;
    scoped_user& operator=(const scoped_user&) = delete;

private:
    TApplication::answerer m_answerer;
    TApplication::modal_user m_user;
};

} // namespace kestrun::vcl
