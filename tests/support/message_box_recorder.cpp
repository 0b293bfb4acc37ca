#include "support/message_box_recorder.h"

MessageBoxRecorder::MessageBoxRecorder(int answerToQuestions) {
    SetMessageBoxHook(
        [this, answerToQuestions](const char* text, const char* caption, unsigned flags) {
            boxes_.push_back({text ? text : "", caption ? caption : "", flags});
            return (flags & 0xF) == MB_YESNO ? answerToQuestions : IDOK;
        });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxHook(nullptr);
}

std::vector<std::string> MessageBoxRecorder::Texts() const {
    std::vector<std::string> texts;
    for (const RecordedBox& box : boxes_)
        texts.push_back(box.text);
    return texts;
}
