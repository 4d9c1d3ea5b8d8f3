#pragma once
// Reaching LibreOffice: the local UNO runtime, the office processes of this
// user, starting an office and connecting to it over its pipe.

#include "automation/OfficePlugin.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QString>

namespace quillora::impress {

namespace css = com::sun::star;
using rtl::OUString;

inline constexpr char kOfficeGone[] = "LibreOffice Impress is no longer connected";

inline QString fromUno(const rtl::OUString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

inline rtl::OUString toUno(const QString& text)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), static_cast<sal_Int32>(text.size()));
}

// The description a UNO failure is reported with.
QString describeUno(const css::uno::Exception& e);

// Runs a UNO call, turning UNO failures into the program's own.
template <class Call>
auto uno(Call&& call) -> decltype(call())
{
    try {
        return call();
    } catch (const css::lang::DisposedException&) {
        throw RuntimeError(QLatin1String(kOfficeGone));
    } catch (const css::uno::Exception& e) {
        throw RuntimeError(describeUno(e));
    }
}

// soffice.bin processes of this user started with the profile (an empty
// URL: started without one, i.e. with the user's own profile).
QList<qint64> officeProcesses(const QString& profileUrl);

struct Connection {
    css::uno::Reference<css::uno::XComponentContext> context;
    css::uno::Reference<css::frame::XDesktop2> desktop;
};

// Resolves the office on the options' pipe, starting one when nothing
// listens there, within timeoutMs. Throws RuntimeError.
Connection connectOffice(const office::OfficeOptions& options, qint64 timeoutMs);

// Whether soffice can be started: the program is on the path (or a path
// that exists) and the UNO runtime's bootstrap file is there.
bool officeInstalled(const office::OfficeOptions& options);

} // namespace quillora::impress
