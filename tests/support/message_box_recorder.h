#pragma once
// Records the message boxes shown while it lives and answers them: Yes/No
// questions with the chosen answer, every other box with OK.

#include <string>
#include <vector>

#include "platform/message_box.h"

struct RecordedBox {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answerToQuestions = IDYES);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedBox>& Boxes() const { return boxes_; }
    std::vector<std::string> Texts() const;
    void Clear() { boxes_.clear(); }

private:
    std::vector<RecordedBox> boxes_;
};
