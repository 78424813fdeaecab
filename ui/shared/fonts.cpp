#include "ui/shared/fonts.h"

#include "ui/shared/widget_properties.h"

#include <algorithm>

#include <QFontDatabase>
#include <QStringList>

#include "form/definition.h"

namespace tobarin {

namespace {

// The faces that stand in, the first one installed taken.
const QStringList GothicStandIns {
    QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"), QStringLiteral("IPAGothic")};
const QStringList MinchoStandIns {
    QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝"), QStringLiteral("IPAMincho")};

// When both faces (or their stand-ins) are there, they hold every character
// the window shows, and Qt need not look for fallback faces for each script:
// that search is a large part of the time to the first frame.
bool japaneseFacesInstalled()
{
    const QStringList installed = QFontDatabase::families();
    const auto any = [&installed](const QString &face, const QStringList &standIns) {
        return installed.contains(face)
            || std::any_of(standIns.begin(), standIns.end(),
                [&installed](const QString &standIn) { return installed.contains(standIn); });
    };
    return any(fromUtf8(MsPGothic), GothicStandIns) && any(fromUtf8(MsPMincho), MinchoStandIns);
}

}  // namespace

void installFontSubstitutes()
{
    QFont::insertSubstitutions(fromUtf8(MsPGothic), GothicStandIns);
    QFont::insertSubstitutions(fromUtf8(MsPMincho), MinchoStandIns);
}

QFont fontOf(Font key)
{
    const FontDefinition &definition = fontDefinition(key);
    QFont font(fromUtf8(definition.face));
    font.setPointSizeF(definition.points);
    font.setWeight(static_cast<QFont::Weight>(definition.weight));
    static const bool noFallbackNeeded = japaneseFacesInstalled();
    if (noFallbackNeeded) {
        font.setStyleStrategy(QFont::NoFontMerging);
    }
    return font;
}

}  // namespace tobarin
