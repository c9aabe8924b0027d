#include "platform/vcl/application.h"

#include "platform/vcl/controls.h"
#include "platform/vcl/trace.h"

#include <iostream>
#include <memory>
#include <string>

namespace kestrun::vcl {

namespace {
// The user at a modal form and the message box's answerer belong to one print run, so to its
// thread.
thread_local TApplication the_application;

std::string lowered(std::string text)
{
    for (auto& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string trimmed(const std::string& text)
{
    auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}
} // namespace

thread_local TApplication* Application = &the_application;

int TApplication::MessageBox(std::string_view text, std::string_view caption, int flags)
{
    if (!m_answerer)
        m_answerer = terminal_answerer(std::cin, std::cerr);
    const int answer = m_answerer(text, caption, flags);
    trace::emit("message_box",
                {{"caption", caption}, {"text", text}, {"flags", flags}, {"answer", answer}});
    return answer;
}

TApplication::answerer TApplication::SetAnswerer(answerer a)
{
    auto previous = std::move(m_answerer);
    m_answerer = std::move(a);
    return previous;
}

TApplication::modal_user TApplication::SetModalUser(modal_user u)
{
    auto previous = std::move(m_user);
    m_user = std::move(u);
    return previous;
}

void TApplication::RunModalUser(TForm& form)
{
    if (m_user)
        m_user(form);
}

TApplication::answerer scripted_answers(std::vector<int> answers)
{
    auto script = std::make_shared<std::vector<int>>(std::move(answers));
    auto next = std::make_shared<std::size_t>(0);
    return [script, next](std::string_view, std::string_view, int) {
        return *next < script->size() ? (*script)[(*next)++] : IDOK;
    };
}

TApplication::answerer terminal_answerer(std::istream& in, std::ostream& out)
{
    return [&in, &out](std::string_view text, std::string_view caption, int) {
        // The blank-paper prompt's second line starts after a line feed and a carriage return.
        std::string shown;
        for (char c : text)
            if (c != '\r')
                shown += c;
        out << "\n[" << caption << "]\n" << shown << "\n  OK (Enter) / Anuluj (a)? " << std::flush;
        std::string line;
        while (std::getline(in, line)) {
            auto answer = lowered(trimmed(line));
            if (answer.empty() || answer == "o" || answer == "ok")
                return static_cast<int>(IDOK);
            if (answer == "a" || answer == "c" || answer == "cancel" || answer == "anuluj")
                return static_cast<int>(IDCANCEL);
            out << "  OK (Enter) / Anuluj (a)? " << std::flush;
        }
        return static_cast<int>(IDCANCEL);
    };
}

scoped_user::scoped_user(TApplication::answerer a, TApplication::modal_user u)
    : m_answerer(Application->SetAnswerer(std::move(a))),
      m_user(Application->SetModalUser(std::move(u)))
{
}

scoped_user::~scoped_user()
{
    Application->SetAnswerer(std::move(m_answerer));
    Application->SetModalUser(std::move(m_user));
}

} // namespace kestrun::vcl
