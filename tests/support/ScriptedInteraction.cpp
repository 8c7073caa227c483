#include "ScriptedInteraction.h"

EAnswer CScriptedInteraction::MessageBox(const std::string& text, const std::string& caption,
                                         EButtons buttons, EIcon icon) {
    EAnswer answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    } else {
        switch (Choices(buttons)) {
        case EButtons::YesNo:
        case EButtons::YesNoCancel: answer = EAnswer::Yes; break;
        case EButtons::RetryCancel: answer = EAnswer::Retry; break;
        default: answer = EAnswer::Ok; break;
        }
    }
    boxes.push_back({text, caption, buttons, icon, answer});
    return answer;
}
