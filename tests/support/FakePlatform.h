#pragma once
// Test doubles for the program's platform doors: message boxes that record
// what they were asked to show and answer from a script, a clock that only
// moves when told to, and so on.

#include "core/Platform.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace quillora::testing {

struct ShownMessage {
    QString title;
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

class RecordingMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override
    {
        shown.push_back({title, text, icon, buttons});
        if (onShow)
            onShow(shown.back());
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty())
            return MessageAnswer::No;
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers;             // for Yes/No boxes, in order
    std::function<void(const ShownMessage&)> onShow; // runs while the box is "open"
};

class ManualClock final : public Clock {
public:
    double secondsSinceMidnight() override { return timeOfDay + monotonic / 1000.0; }
    qint64 monotonicMs() override { return monotonic; }
    void sleepMs(qint64 ms) override
    {
        sleeps.push_back(ms);
        if (ms > 0)
            monotonic += ms;
    }
    double timeOfDay = 12 * 3600.0;
    qint64 monotonic = 0;
    std::vector<qint64> sleeps;
};

class CountingEventPump final : public EventPump {
public:
    void processPendingEvents() override
    {
        ++count;
        if (onProcess)
            onProcess();
    }
    int count = 0;
    std::function<void()> onProcess;
};

class ScriptedRandom final : public RandomSource {
public:
    void seed(float s) override { seeds.push_back(s); }
    float next() override { return value; }
    float value = 0.5f;
    std::vector<float> seeds;
};

class RecordingDesktop final : public Desktop {
public:
    bool openUrl(const QString& url) override
    {
        urls << url;
        return urlResult;
    }
    bool openFile(const QString& path) override
    {
        files << path;
        return fileResult;
    }
    QStringList urls, files;
    bool urlResult = true, fileResult = true;
};

class MapEnvironment final : public Environment {
public:
    std::optional<QString> variable(const QString& name) override
    {
        auto it = vars.find(name);
        if (it == vars.end())
            return std::nullopt;
        return it->second;
    }
    QString tempFolder() override { return temp; }
    QString programFolder() override { return program; }
    std::map<QString, QString> vars;
    QString temp, program;
};

class RecordingExit final : public ProgramExit {
public:
    void endNow(int status) override { statuses.push_back(status); }
    std::vector<int> statuses;
};

// File dialogs answered from a script (a path, or nothing for Cancel), in
// order; every question is recorded.
class ScriptedFileChooser final : public FileChooser {
public:
    std::optional<QString> fileToOpen(const QString& title, const QString&) override { return next(title); }
    std::optional<QString> fileToSave(const QString& title, const QString& suggested, const QString&,
                                      ReplaceQuestion question) override
    {
        suggestions << suggested;
        replaceQuestions.push_back(question);
        return next(title);
    }
    std::deque<std::optional<QString>> answers;
    QStringList titles, suggestions;
    std::vector<ReplaceQuestion> replaceQuestions;

private:
    std::optional<QString> next(const QString& title)
    {
        titles << title;
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Everything at once, wired into a Platform.
struct FakePlatform {
    RecordingMessageBoxes messages;
    ManualClock clock;
    CountingEventPump events;
    ScriptedRandom random;
    RecordingDesktop desktop;
    MapEnvironment environment;
    RecordingExit exit;
    ScriptedFileChooser files;
    Platform platform{&messages, &clock, &events, &random, &desktop, &environment, &exit, &files};
};

} // namespace quillora::testing
