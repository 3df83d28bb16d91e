// Turns a Markdown file into a PDF document (A4, with page numbers).
// Usage: vrel_mdpdf <in.md> <out.pdf> <font family> [title]
// Images are looked up relative to the Markdown file.
#include <cstdio>

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace {

// Pictures wider than the text column are shown at the column's width.
void FitImages(QTextDocument &document, qreal width)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
            QImage image = resource.value<QImage>();
            if (image.isNull())
                image.load(document.baseUrl().resolved(QUrl(format.name())).toLocalFile());
            if (image.isNull() || image.width() <= 0)
                continue;
            const qreal shown = qMin<qreal>(width, image.width());
            format.setWidth(shown);
            format.setHeight(shown * image.height() / image.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

const char kStyle[] = R"(
h1 { color: #1d2b3a; }
h2 { color: #22344a; }
h3 { color: #2f7fd1; }
code { background-color: #eef2f6; }
table { border-color: #c7d1dc; }
th { background-color: #e9eef3; }
)";

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: vrel_mdpdf <in.md> <out.pdf> <font family> [title]\n");
        return 2;
    }
    QFile in(args.at(1));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vrel_mdpdf: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString markdown = QString::fromUtf8(in.readAll());

    QPdfWriter writer(args.at(2));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 16, 18, 18), QPageLayout::Millimeter);
    writer.setResolution(144);
    writer.setTitle(args.size() > 4 ? args.at(4) : QFileInfo(args.at(1)).baseName());
    writer.setCreator(QStringLiteral("vrel_mdpdf"));

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(args.at(1)).absolutePath() + QLatin1Char('/')));
    QFont font(args.at(3));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(QString::fromLatin1(kStyle));
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);

    // Lay the text out on the page body and leave room for the page number.
    const QRectF body = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal footer = writer.resolution() * 0.35;
    const QSizeF pageSize(body.width(), body.height() - footer);
    document.setPageSize(pageSize);
    FitImages(document, pageSize.width() - 2 * document.documentMargin());
    document.documentLayout();

    QPainter painter;
    if (!painter.begin(&writer)) {
        std::fprintf(stderr, "vrel_mdpdf: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    const int pages = document.pageCount();
    QFont footerFont(args.at(3));
    footerFont.setPointSizeF(8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page * pageSize.height());
        const QRectF clip(0, page * pageSize.height(), pageSize.width(), pageSize.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        painter.setClipRect(clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(QColor(0x6b, 0x78, 0x86));
        painter.drawText(QRectF(0, pageSize.height(), pageSize.width(), footer),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }
    painter.end();
    return 0;
}
