#include "app/GraphExport.h"

#include "app/GraphDocument.h"
#include "app/SliderFocus.h"
#include "dialogs/export/ExportSizeDialog.h"
#include "document/SystemErrorText.h"
#include "framework/CommandIds.h"
#include "framework/FileName.h"
#include "framework/Resources.h"
#include "framework/ShownNumbers.h"
#include "framework/WaitCursor.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

constexpr EGraphFormat kFormats[] = {EGraphFormat::Png, EGraphFormat::Svg, EGraphFormat::Pdf};

// The name a new export suggests: the graph's file with the format's extension, or its title.
QString SuggestedName(const CGraphDocument& document, EGraphFormat format)
{
    const QString path = document.GetPathName();
    if (path.isEmpty()) {
        return document.GetTitle() + ExportExtension(format);
    }
    const QFileInfo info{path};
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + ExportExtension(format);
}

} // namespace

QString ExportFilter(EGraphFormat format)
{
    switch (format) {
    case EGraphFormat::Svg:
        return QStringLiteral("SVG-Zeichnungen (*.svg)");
    case EGraphFormat::Pdf:
        return QStringLiteral("PDF-Dokumente (*.pdf)");
    default:
        return QStringLiteral("PNG-Bilder (*.png)");
    }
}

QString ExportExtension(EGraphFormat format)
{
    switch (format) {
    case EGraphFormat::Svg:
        return QStringLiteral(".svg");
    case EGraphFormat::Pdf:
        return QStringLiteral(".pdf");
    default:
        return QStringLiteral(".png");
    }
}

QString ExportTargetName(const QString& typed, EGraphFormat& format)
{
    if (const std::optional<EGraphFormat> named = CGraphOutput::FormatOfName(typed)) {
        format = *named;
        return typed;
    }
    return typed + ExportExtension(format);
}

QString AskExportName(const SExportNamePrompts& prompts, const QString& suggested, EGraphFormat& format)
{
    QString proposed = suggested;
    for (;;) {
        EGraphFormat chosen = format;
        const QString typed = prompts.askTypedName(proposed, chosen);
        if (typed.isEmpty()) {
            return {};
        }
        const QString path = ExportTargetName(typed, chosen);
        // The very name that will be written is the one asked about.
        if (!QFileInfo::exists(path) || prompts.confirmReplace(path)) {
            format = chosen;
            return path;
        }
        proposed = path;
        format = chosen;
    }
}

SExportPrompts DefaultExportPrompts(QWidget* parent)
{
    SExportPrompts prompts;
    prompts.askFileName = [parent](const QString& suggested, EGraphFormat& format) {
        SExportNamePrompts names;
        names.askTypedName = [parent](const QString& proposed, EGraphFormat& chosen) {
            QStringList filters;
            for (EGraphFormat f : kFormats) {
                filters << ExportFilter(f);
            }
            QString selected = ExportFilter(chosen);
            const QString typed = QFileDialog::getSaveFileName(parent, QStringLiteral("Exportieren"),
                                                               proposed, filters.join(QStringLiteral(";;")),
                                                               &selected, QFileDialog::DontConfirmOverwrite);
            for (EGraphFormat f : kFormats) {
                if (ExportFilter(f) == selected) {
                    chosen = f;
                }
            }
            return typed;
        };
        names.confirmReplace = [parent](const QString& path) {
            return QMessageBox::question(
                       parent, QStringLiteral("Exportieren"),
                       QStringLiteral("Die Datei \"%1\" gibt es bereits.\nSoll sie ersetzt werden?")
                           .arg(QDir::toNativeSeparators(path)),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
        };
        return AskExportName(names, suggested, format);
    };
    prompts.askSize = [parent](QSize suggested) -> std::optional<SPictureSize> {
        CExportSizeDialog dialog{suggested, parent};
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.PictureSize();
    };
    prompts.showError = [parent](const QString& message) {
        QMessageBox::warning(parent, LoadString(IDS_APP_TITLE), message);
    };
    return prompts;
}

QString WriteGraphExport(const CGraphDocument& document, EGraphFormat format, const SPictureSize& size,
                         const QString& path)
{
    // An export must never replace the graph it shows.
    const QFileInfo target{path};
    if (!document.GetPathName().isEmpty() && target.exists() &&
        target.canonicalFilePath() == QFileInfo{document.GetPathName()}.canonicalFilePath()) {
        return QStringLiteral("\"%1\" ist die Eingabedatei selbst: das Bild würde den Graphen \"%2\" "
                              "ersetzen. Bitte ein anderes Ziel angeben.")
            .arg(path, document.GetPathName());
    }
    const CZelDoc& model = document.Model();
    // The output keeps references: the scaling must be a copy that outlives it.
    const CScaling scaling = model.GetScaling();
    CGraphOutput graph{model.Functions(), model.Objects(), scaling};
    graph.SetDecimalSeparator(ShownDecimalSeparator());
    graph.SetAreas(model.Areas());
    // The picture of the moment: at the slider's k while it is on.
    graph.SetFamilyFocus(SliderFocus(model));
    graph.SetDerivedCurves(model.Derived());
    // The title the command line gives: the name of the graph's file.
    graph.SetTitle(document.GetPathName().isEmpty() ? document.GetTitle()
                                                    : QFileInfo{document.GetPathName()}.fileName());
    const CWaitCursor wait;
    int code = 0;
    if (!graph.WriteFile(format, size, path, code)) {
        return code != 0 ? QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2.")
                               .arg(path, QString::fromStdString(SystemErrorText(code)))
                         : QStringLiteral("Das Bild für \"%1\" konnte nicht erzeugt werden.").arg(path);
    }
    return {};
}

bool ExportGraph(CGraphDocument& document, QSize windowSize, const SExportPrompts& prompts)
{
    EGraphFormat format = EGraphFormat::Png;
    const QString path = prompts.askFileName(SuggestedName(document, format), format);
    if (path.isEmpty()) {
        return false;
    }
    SPictureSize size{windowSize};
    // A PDF page takes the print size of the scaling; only pictures ask for a size.
    if (format != EGraphFormat::Pdf) {
        const std::optional<SPictureSize> asked = prompts.askSize(windowSize);
        if (!asked) {
            return false;
        }
        size = *asked;
    }
    const QString error = WriteGraphExport(document, format, size, path);
    if (!error.isEmpty()) {
        prompts.showError(error);
        return false;
    }
    return true;
}
