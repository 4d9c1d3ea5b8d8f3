#pragma once
// The one kind of failure the program raises itself: a short, plain
// description of what went wrong ("File not found", "Object variable not
// set", ...), which the error report shows as its first line.

#include <QCoreApplication>
#include <QString>
#include <exception>
#include <string>

namespace quillora {

class RuntimeError : public std::exception {
    // The descriptions are shown to the user: RuntimeError::tr("File not found").
    Q_DECLARE_TR_FUNCTIONS(RuntimeError)

public:
    explicit RuntimeError(QString description)
        : m_description(std::move(description)), m_utf8(m_description.toStdString())
    {
    }
    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_description;
    std::string m_utf8;
};

// The description of whatever is being handled in a catch block: the
// program's own text for a RuntimeError, the library's text for any other
// standard exception, and a generic text for anything else.
QString describeCurrentException();

} // namespace quillora
