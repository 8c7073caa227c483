#include "TerminalInteraction.h"

#include <cstdio>
#include <iostream>
#include <thread>

#include "Console.h"
#include "clone/RepeaterInfo.h"

std::string CTerminalInteraction::Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    std::string out;
    for (char c : text.substr(first, last - first + 1))
        if (c != '\r')
            out += c;
    return out;
}

EAnswer CTerminalInteraction::MessageBox(const std::string& text, const std::string& caption,
                                         EButtons buttons, EIcon) {
    if (m_progressShown)
        ProgressEnd();
    const std::string title = Trim(caption);
    std::cerr << (title.empty() ? "" : title + ": ") << Trim(text) << "\n";
    if (buttons == EButtons::Ok)
        return EAnswer::Ok;
    const EButtons choices = Choices(buttons); // the terminal's answer is no unless typed
    const bool yesNo = choices == EButtons::YesNo || choices == EButtons::YesNoCancel;
    const EAnswer affirmative = yesNo ? EAnswer::Yes : (choices == EButtons::RetryCancel
                                                            ? EAnswer::Retry
                                                            : EAnswer::Ok);
    const EAnswer negative = yesNo ? EAnswer::No : EAnswer::Cancel;
    if (assumeYes) {
        std::cerr << "(answered yes by --yes)\n";
        return affirmative;
    }
    if (!IsTerminal(0)) {
        std::cerr << "(no terminal to ask on: answered no; use --yes to agree)\n";
        return negative;
    }
    std::cerr << "Proceed? [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer))
        return negative;
    return (answer == "y" || answer == "Y" || answer == "yes") ? affirmative : negative;
}

void CTerminalInteraction::SetStatusText(const std::string& text) {
    if (quiet)
        return;
    if (m_progressShown)
        ProgressEnd();
    std::cerr << Trim(text) << "\n";
}

void CTerminalInteraction::ProgressBegin(const std::string& title) {
    m_progressTitle = title;
    m_progressShown = false;
}

void CTerminalInteraction::ProgressSet(int percent) {
    if (quiet || !IsTerminal(2))
        return;
    const int width = 40;
    const int filled = percent * width / 100;
    std::fprintf(stderr, "\r%s [%-*s] %3d %%", m_progressTitle.c_str(), width,
                 std::string(static_cast<size_t>(filled), '#').c_str(), percent);
    std::fflush(stderr);
    m_progressShown = true;
}

void CTerminalInteraction::ProgressEnd() {
    if (m_progressShown)
        std::fputs("\n", stderr);
    m_progressShown = false;
}

void CTerminalInteraction::PlayBeeps(const std::vector<SBeep>& beeps) {
    for (const SBeep& beep : beeps)
        std::this_thread::sleep_for(std::chrono::milliseconds(beep.pauseMs));
}

void CTerminalInteraction::ShowInformation(const SRepeaterInfo& info) {
    if (m_progressShown)
        ProgressEnd();
    // Label, then the lines of the field, later lines indented under the first.
    auto field = [](const char* label, const std::string& text) {
        std::string line;
        std::string out = label;
        bool first = true;
        auto flush = [&] {
            const auto end = line.find_last_not_of(' ');
            out += std::string(first ? 0 : 10, ' ') + line.substr(0, end + 1) + "\n";
            first = false;
            line.clear();
        };
        for (char c : text) {
            if (c == '\n')
                flush();
            else
                line += c;
        }
        if (!line.empty() || first)
            flush();
        std::cout << out;
    };
    field("Model:    ", info.ModelText());
    field("Revision: ", info.RevisionText());
    field("Comment:  ", info.CommentText());
    field("Option:   ", info.OptionText());
    std::cout << std::flush;
}
