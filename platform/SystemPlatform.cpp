#include "platform/SystemPlatform.h"
#include "platform/DesktopHandlers.h"
#include "platform/EnchantSpelling.h"
#include "platform/QtProcessRunner.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QCoreApplication>
#include <QThread>
#include <QTime>
#include <QUrl>

#include <cstdlib>
#include <random>

namespace quillora {
namespace {

class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override
    {
        if (buttons == MessageButtons::SaveDiscardCancel)
            return askSaveDiscardCancel(title, text, icon);
        QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                        title, text,
                        buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No)
                                                         : QMessageBox::Ok);
        const int answer = box.exec();
        if (buttons == MessageButtons::YesNo)
            return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
        return MessageAnswer::Ok;
    }

private:
    static MessageAnswer askSaveDiscardCancel(const QString& title, const QString& text, MessageIcon icon)
    {
        QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, title, text);
        QPushButton* save =
            box.addButton(QCoreApplication::translate("MessageBoxes", kSavePlanAsButton), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(QCoreApplication::translate("MessageBoxes", kCloseWithoutSavingButton),
                                             QMessageBox::DestructiveRole);
        QPushButton* cancel =
            box.addButton(QCoreApplication::translate("MessageBoxes", kCancelButton), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save)
            return MessageAnswer::Save;
        if (box.clickedButton() == discard)
            return MessageAnswer::Discard;
        return MessageAnswer::Cancel;
    }
};

class SystemClock final : public Clock {
public:
    SystemClock() { m_timer.start(); }
    double secondsSinceMidnight() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
    qint64 monotonicMs() override { return m_timer.elapsed(); }
    void sleepMs(qint64 ms) override
    {
        if (ms > 0)
            QThread::msleep(static_cast<unsigned long>(ms));
    }

private:
    QElapsedTimer m_timer;
};

class QtEventPump final : public EventPump {
public:
    void processPendingEvents() override { QCoreApplication::processEvents(); }
};

class StdRandom final : public RandomSource {
public:
    void seed(float seed) override { m_engine.seed(static_cast<std::uint32_t>(seed * 1000.0f)); }
    float next() override
    {
        std::uniform_real_distribution<float> dist(0.0f, 1.0f);
        float r = dist(m_engine);
        return r < 1.0f ? r : 0.0f;
    }

private:
    std::mt19937 m_engine{0};
};

class QtDesktop final : public Desktop {
public:
    bool openUrl(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
    bool openFile(const QString& path) override
    {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        if (desktopHasHandlerFor(path) == HandlerAnswer::No)
            return false;
#endif
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

class ProcessEnvironment final : public Environment {
public:
    std::optional<QString> variable(const QString& name) override
    {
        const QByteArray key = name.toLocal8Bit();
        if (!qEnvironmentVariableIsSet(key.constData()))
            return std::nullopt;
        return qEnvironmentVariable(key.constData());
    }
    QString tempFolder() override { return QDir::toNativeSeparators(QDir::tempPath()); }
    QString programFolder() override
    {
        QString dir = QCoreApplication::applicationDirPath();
        while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
            dir.chop(1);
        return QDir::toNativeSeparators(dir);
    }
};

class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> fileToOpen(const QString& title, const QString& filter) override
    {
        return chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filter));
    }
    std::optional<QString> fileToSave(const QString& title, const QString& suggested, const QString& filter,
                                      ReplaceQuestion question) override
    {
        const QFileDialog::Options options =
            question == ReplaceQuestion::AskedByCaller ? QFileDialog::DontConfirmOverwrite : QFileDialog::Options();
        return chosen(
            QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggested, filter, nullptr, options));
    }

private:
    static std::optional<QString> chosen(const QString& path)
    {
        if (path.isEmpty())
            return std::nullopt;
        return path;
    }
};

class StdExit final : public ProgramExit {
public:
    void endNow(int status) override { std::exit(status); }
};

} // namespace

Platform& systemPlatform()
{
    static QtMessageBoxes messages;
    static SystemClock clock;
    static QtEventPump events;
    static StdRandom random;
    static QtDesktop desktop;
    static ProcessEnvironment environment;
    static StdExit exit;
    static QtFileChooser files;
    // Never destroyed: the window opens its dictionary on a thread of its
    // own, which may still be at work when the program ends.
    static EnchantSpelling& spelling = *new EnchantSpelling;
    static QtProcessRunner processes;
    static Platform platform{&messages, &clock, &events, &random, &desktop, &environment, &exit, &files, &spelling, &processes};
    return platform;
}

} // namespace quillora
