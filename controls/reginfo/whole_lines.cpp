#include "controls/reginfo/whole_lines.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextLayout>

#include <vector>

namespace mirelda {

namespace {

constexpr double kSmallestPoints = 7;

// The height that a number of lines of the face takes.
int linesHeight(const QFontMetrics& metrics, int lines) {
    return metrics.height() + (lines - 1) * metrics.lineSpacing();
}

struct LineSpan {
    qsizetype paragraph;
    qsizetype start;
    qsizetype length;
};

// As many whole words of the text as fit the width with an ellipsis after
// them; the text itself when it fits whole.
QString endInEllipsis(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    const QString ellipsis(QChar(0x2026));
    QString kept;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = kept.isEmpty() ? word : kept + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(longer + ellipsis) > width) {
            break;
        }
        kept = longer;
    }
    // A first word wider than the line is cut within it.
    return kept.isEmpty() ? metrics.elidedText(text, Qt::ElideRight, width) : kept + ellipsis;
}

} // namespace

QString wholeLines(const QString& text, const QFont& font, QSize box) {
    const QFontMetrics metrics(font);
    int room = 0;
    while (linesHeight(metrics, room + 1) <= box.height()) {
        ++room;
    }
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    // One line more than the room, to know whether text is left over.
    std::vector<LineSpan> spans;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (qsizetype p = 0; p < paragraphs.size() && std::ssize(spans) <= room; ++p) {
        QTextLayout layout(paragraphs[p], font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid() && std::ssize(spans) <= room;
             line = layout.createLine()) {
            line.setLineWidth(box.width());
            spans.push_back({p, line.textStart(), line.textLength()});
        }
        layout.endLayout();
    }
    QStringList lines;
    for (int i = 0; i < room && i < std::ssize(spans); ++i) {
        const LineSpan& span = spans[static_cast<std::size_t>(i)];
        lines << paragraphs[span.paragraph].mid(span.start, span.length).trimmed();
    }
    if (std::ssize(spans) > room && room > 0) {
        // The last line shown runs on with the rest, cut at the box's edge.
        const LineSpan& last = spans[static_cast<std::size_t>(room - 1)];
        QStringList rest{paragraphs[last.paragraph].mid(last.start)};
        rest << paragraphs.mid(last.paragraph + 1);
        lines.last() =
            endInEllipsis(rest.join(QLatin1Char(' ')).simplified(), metrics, box.width());
    }
    return lines.join(QLatin1Char('\n'));
}

QFont faceForLines(const QFont& face, int height, int lines) {
    QFont fitted = face;
    for (double points = face.pointSizeF(); points >= kSmallestPoints; points -= 0.5) {
        fitted.setPointSizeF(points);
        if (linesHeight(QFontMetrics(fitted), lines) <= height) {
            break;
        }
    }
    return fitted;
}

} // namespace mirelda
