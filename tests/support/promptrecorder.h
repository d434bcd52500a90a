#pragma once

#include "ui/inputprompt.h"

#include <QList>
#include <optional>

namespace zv::test {

// Answers every prompt box while it lives with the next of `answers` (nothing stands for
// Cancel; with no answers left, Cancel), and keeps what was asked.
class PromptRecorder
{
public:
    PromptRecorder()
    {
        SetPromptResponder([this](const PromptRequest &request) -> std::optional<QString> {
            asked.append(request);
            return answers.isEmpty() ? std::nullopt : answers.takeFirst();
        });
    }
    ~PromptRecorder() { SetPromptResponder(nullptr); }
    PromptRecorder(const PromptRecorder &) = delete;
    PromptRecorder &operator=(const PromptRecorder &) = delete;

    QList<std::optional<QString>> answers;
    QList<PromptRequest> asked;
};

} // namespace zv::test
