#include "chart/PlanDocument.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "brokenline/PointsScreen.h"
#include "chart/ChartDrawing.h"
#include "chart/PassageView.h"

namespace velmar {

PlanDocument MakePlanDocument(const Scheme& scheme, const BrokenLine& line,
                              const BrokenLineWork& work, int method, const PlanPortNames& names,
                              const LocalMoment& printed, const std::filesystem::path& mapFolder) {
    PlanDocument document{ComposePassagePlan(scheme, line, work, method, names, printed), {}};
    const ChartMarks marks = ComputeChartMarks(scheme, line);
    ChartView view = PassageView(marks, kPlanChartWidth, kPlanChartWidth * 3 / 5);
    DrawChart(document.chart, view, marks, ChartLayers{});
    const std::filesystem::path path = MapFilePath(mapFolder, marks.meridian);
    WorldMap map;
    if (ReadWorldMap(path, map) == MapLoadStatus::kOk)
        document.chart = DrawWorldMap(document.chart, view, map);
    else
        document.plan.chartNote = MissingMapNote(path.string());
    return document;
}

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The ink of a point's label, as the points list draws it.
QColor LabelInk(const std::string& label) {
    const InkRgb ink = RgbOf(InkOf(label));
    return {ink.red, ink.green, ink.blue};
}

const QColor kRule(120, 120, 120);
const QColor kShade(242, 244, 248);
const QColor kHeadShade(222, 228, 238);
const QColor kGrey(90, 90, 90);

// A piece of the document that is never cut: it goes whole onto the page
// it starts on.
struct Block {
    double height = 0;
    bool tableRow = false;      // the table's titles come first when it opens a page
    bool keepWithNext = false;  // a title: never the last thing on a page
    bool gap = false;           // space between sections, left out at the top of a page
    std::function<void(QPainter&, double top)> paint;
};

class PlanLayout {
  public:
    PlanLayout(QPagedPaintDevice& device, const PlanDocument& document)
        : device_(device), doc_(document), plan_(document.plan) {
        mm_ = device.logicalDpiY() / 25.4;
        width_ = device.width();
        height_ = device.height();
        title_ = Font(14, true);
        route_ = Font(10.5, false);
        small_ = Font(7.5, false);
        section_ = Font(10, true);
        text_ = Font(8.5, false);
        textBold_ = Font(8.5, true);
        note_ = Font(7.5, false);
        note_.setItalic(true);
    }

    int Paint() {
        Build();
        Place();
        QPainter painter;
        if (!painter.begin(&device_)) return 0;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        // The chart is line art: JPEG would blur its lines and texts.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        for (int page = 0; page < pages_; ++page) {
            if (page > 0 && !device_.newPage()) return 0;
            PageHeader(painter, page + 1);
            for (const Placed& p : placed_)
                if (p.page == page) p.block->paint(painter, p.top);
        }
        painter.end();
        return pages_;
    }

  private:
    struct Placed {
        const Block* block;
        int page;
        double top;
    };

    QFont Font(double points, bool bold) const {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(points);
        font.setBold(bold);
        return font;
    }
    QFontMetricsF Metrics(const QFont& font) const { return QFontMetricsF(font, &device_); }
    double Width(const QFont& font, const std::string& text) const {
        return Metrics(font).horizontalAdvance(Q(text));
    }
    double LineHeight(const QFont& font) const { return Metrics(font).height() * 1.15; }

    void Text(QPainter& painter, const QFont& font, double x, double top, const std::string& text,
              const QColor& ink = Qt::black) const {
        painter.setFont(font);
        painter.setPen(ink);
        painter.drawText(QPointF(x, top + Metrics(font).ascent()), Q(text));
    }
    void RightText(QPainter& painter, const QFont& font, double right, double top,
                   const std::string& text, const QColor& ink = Qt::black) const {
        Text(painter, font, right - Width(font, text), top, text, ink);
    }
    void Rule(QPainter& painter, double y, double thickness) const {
        painter.setPen(QPen(kRule, thickness * mm_));
        painter.drawLine(QPointF(0, y), QPointF(width_, y));
    }

    double HeaderHeight() const { return LineHeight(title_) + LineHeight(route_) + 3 * mm_; }

    void PageHeader(QPainter& painter, int page) const {
        const double right = width_;
        const std::string pageText = PlanPageText(page, pages_);
        const double side = std::max(Width(small_, plan_.printed), Width(small_, pageText));
        Text(painter, title_, 0, 0, plan_.title);
        painter.setFont(route_);
        const QString route =
            Metrics(route_).elidedText(Q(plan_.route), Qt::ElideRight, width_ - side - 4 * mm_);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(0, LineHeight(title_) + Metrics(route_).ascent()), route);
        RightText(painter, small_, right, 0.6 * mm_, plan_.printed, kGrey);
        RightText(painter, small_, right, 0.6 * mm_ + LineHeight(small_), pageText, kGrey);
        Rule(painter, HeaderHeight() - 1.5 * mm_, 0.35);
    }

    void Add(Block block) { blocks_.push_back(std::move(block)); }

    void Gap(double millimetres) {
        Add({millimetres * mm_, false, false, true, [](QPainter&, double) {}});
    }

    void SectionTitle(const std::string& title) {
        Gap(3);
        const double h = LineHeight(section_) + 1.5 * mm_;
        Add({h, false, true, false, [this, title, h](QPainter& p, double top) {
                 Text(p, section_, 0, top, title, QColor(0, 0, 128));
                 p.setPen(QPen(QColor(0, 0, 128), 0.25 * mm_));
                 p.drawLine(QPointF(0, top + h - 1 * mm_), QPointF(width_, top + h - 1 * mm_));
             }});
    }

    void Facts() {
        for (const std::string* line : {&plan_.departure, &plan_.arrival, &plan_.method}) {
            const std::string text = *line;
            Add({LineHeight(text_) * 1.05, false, false, false,
                 [this, text](QPainter& p, double top) {
                     const std::size_t colon = text.find(": ");
                     const std::string head = text.substr(0, colon + 1);
                     Text(p, textBold_, 0, top, head);
                     if (colon != std::string::npos)
                         Text(p, text_, 24 * mm_, top, text.substr(colon + 2));
                 }});
        }
    }

    // A report's lines: leading tabs indent, inner tabs start columns that
    // line up across the whole section; the unindented lines (the section
    // names) are bold.
    void Report(const PlanSection& section) {
        SectionTitle(section.title);
        struct Line {
            int indent = 0;
            std::vector<std::string> fields;
        };
        std::vector<Line> lines;
        for (const std::string& text : section.lines) {
            Line line;
            std::size_t at = 0;
            while (at < text.size() && text[at] == '\t') ++at;
            line.indent = static_cast<int>(at);
            for (std::size_t tab; (tab = text.find('\t', at)) != std::string::npos; at = tab + 1)
                line.fields.push_back(text.substr(at, tab - at));
            line.fields.push_back(text.substr(at));
            lines.push_back(std::move(line));
        }
        const double step = 7 * mm_;
        const double gap = 3 * mm_;
        // The legend under the rule ("* Valore inserito") is plain text.
        auto fontOf = [this](const Line& l) -> const QFont& {
            const std::string& first = l.fields.front();
            const bool legend = !first.empty() && (first[0] == '_' || first[0] == '*');
            return l.indent == 0 && !legend ? textBold_ : text_;
        };
        std::vector<double> columns(1, 0);
        for (std::size_t k = 1;; ++k) {
            double start = -1;
            for (const Line& l : lines) {
                if (l.fields.size() <= k) continue;
                const double before = k == 1 ? l.indent * step : columns[k - 1];
                start = std::max(start, before + Width(fontOf(l), l.fields[k - 1]) + gap);
            }
            if (start < 0) break;
            columns.push_back(start);
        }
        for (const Line& l : lines) {
            Add({LineHeight(text_), false, false, false,
                 [this, l, columns, step, fontOf](QPainter& p, double top) {
                     for (std::size_t k = 0; k < l.fields.size(); ++k)
                         Text(p, fontOf(l), k == 0 ? l.indent * step : columns[k], top,
                              l.fields[k]);
                 }});
        }
    }

    // The points table: one row per point with the leg that leaves it.
    void Table() {
        SectionTitle(plan_.pointsTitle);
        constexpr std::size_t kColumns = kPlanColumns.size();
        // Positions, courses, distances and times line up on their right.
        constexpr std::array<bool, kColumns> kRight = {false, true,  true, false, false, false,
                                                       false, false, true, true,  true};
        auto cells = [](const PlanRow& r) {
            return std::array<std::array<const std::string*, 2>, kColumns>{{
                {&r.label, nullptr},
                {&r.latitude, nullptr},
                {&r.longitude, nullptr},
                {&r.zoneTime, &r.zoneDate},
                {&r.greenwichTime, &r.greenwichDate},
                {&r.light, &r.altitude},
                {&r.sunrise, nullptr},
                {&r.sunset, nullptr},
                {&r.course, nullptr},
                {&r.distance, nullptr},
                {&r.legTime, nullptr},
            }};
        };
        // The largest type, 8 points down to 6, whose columns fit the page.
        const double pad = 1.4 * mm_;
        std::array<double, kColumns> widths{};
        for (double points = 8;; points -= 0.5) {
            cell_ = Font(points, false);
            cellBold_ = Font(points, true);
            cellSmall_ = Font(points - 1, false);
            double total = 0;
            for (std::size_t c = 0; c < kColumns; ++c) {
                double w = std::max(Width(cellBold_, kPlanColumns[c].title),
                                    Width(cellSmall_, kPlanColumns[c].subtitle));
                for (const PlanRow& row : plan_.rows) {
                    const auto texts = cells(row);
                    for (const std::string* text : texts[c])
                        if (text) w = std::max(w, Width(c == 0 ? cellBold_ : cell_, *text));
                }
                widths[c] = w + 2 * pad;
                total += widths[c];
            }
            if (total <= width_ || points <= 6) {
                const double extra = std::max(0.0, (width_ - total) / kColumns);
                for (double& w : widths) w += extra;
                break;
            }
        }
        std::array<double, kColumns + 1> x{};
        for (std::size_t c = 0; c < kColumns; ++c) x[c + 1] = x[c] + widths[c];
        const double line = LineHeight(cell_);

        auto place = [this, x, kRight, pad](QPainter& p, std::size_t c, const QFont& font,
                                            double top, const std::string& text,
                                            const QColor& ink) {
            if (kRight[c])
                RightText(p, font, x[c + 1] - pad, top, text, ink);
            else
                Text(p, font, x[c] + pad, top, text, ink);
        };
        const double headHeight = line + LineHeight(cellSmall_) + 1.2 * mm_;
        tableHead_ = {
            headHeight, false, false, false,
            [this, place, headHeight, line](QPainter& p, double top) {
                p.fillRect(QRectF(0, top, width_, headHeight), kHeadShade);
                for (std::size_t c = 0; c < kColumns; ++c) {
                    place(p, c, cellBold_, top + 0.6 * mm_, kPlanColumns[c].title, Qt::black);
                    place(p, c, cellSmall_, top + 0.6 * mm_ + line, kPlanColumns[c].subtitle,
                          kGrey);
                }
                p.setPen(QPen(kRule, 0.25 * mm_));
                p.drawLine(QPointF(0, top + headHeight), QPointF(width_, top + headHeight));
            }};
        Add(tableHead_);
        blocks_.back().keepWithNext = true;

        for (std::size_t i = 0; i < plan_.rows.size(); ++i) {
            const PlanRow& row = plan_.rows[i];
            const bool twoLines = !row.zoneDate.empty() || !row.altitude.empty();
            const double height =
                line * (twoLines ? 2 : 1) + (row.lightNote.empty() ? 0 : line) + 1.2 * mm_;
            Add({height, true, false, false, [=, this](QPainter& p, double top) {
                     if (i % 2 == 1) p.fillRect(QRectF(0, top, width_, height), kShade);
                     const double y = top + 0.6 * mm_;
                     const auto texts = cells(row);
                     for (std::size_t c = 0; c < kColumns; ++c) {
                         const QColor ink = c == 0 ? LabelInk(row.label) : QColor(Qt::black);
                         if (texts[c][0])
                             place(p, c, c == 0 ? cellBold_ : cell_, y, *texts[c][0], ink);
                         if (texts[c][1]) place(p, c, cellSmall_, y + line, *texts[c][1], kGrey);
                     }
                     if (!row.lightNote.empty())
                         Text(p, cellSmall_, x[5] + pad, y + line * (twoLines ? 2 : 1),
                              row.lightNote, kGrey);
                     p.setPen(QPen(QColor(205, 205, 205), 0.15 * mm_));
                     p.drawLine(QPointF(0, top + height), QPointF(width_, top + height));
                 }});
        }
        const std::string note = plan_.pointsNote;
        Add({LineHeight(note_) * 2 + 1.5 * mm_, false, false, false,
             [this, note](QPainter& p, double top) {
                 p.setFont(note_);
                 p.setPen(kGrey);
                 p.drawText(QRectF(0, top + 1.5 * mm_, width_, LineHeight(note_) * 2),
                            Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, Q(note));
             }});
    }

    void Chart() {
        SectionTitle(plan_.chartTitle);
        const QImage& image = doc_.chart;
        if (image.isNull()) return;
        const double h = width_ * image.height() / double(image.width());
        const std::string note = plan_.chartNote;
        const double noteHeight = note.empty() ? 0 : LineHeight(note_) + 1 * mm_;
        Add({h + noteHeight, false, false, false, [this, &image, h, note](QPainter& p, double top) {
                 const QRectF target(0, top, width_, h);
                 p.drawImage(target, image);
                 p.setPen(QPen(kRule, 0.25 * mm_));
                 p.setBrush(Qt::NoBrush);
                 p.drawRect(target);
                 if (!note.empty()) Text(p, note_, 0, top + h + 1 * mm_, note, kGrey);
             }});
    }

    void Build() {
        Facts();
        Report(plan_.scheme);
        Table();
        Report(plan_.summary);
        Chart();
    }

    // Blocks onto pages: a block that does not fit goes to the next page,
    // a title with the block after it, and a table row that opens a page
    // under the table's titles.
    void Place() {
        const double top = HeaderHeight() + 1 * mm_;
        double y = top;
        int page = 0;
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            const Block& b = blocks_[i];
            double need = b.height;
            if (b.keepWithNext && i + 1 < blocks_.size()) need += blocks_[i + 1].height;
            if (y + need > height_ && y > top) {
                ++page;
                y = top;
            }
            // A gap at the top of a page is left out.
            if (y == top && b.gap) continue;
            if (y == top && page > 0 && b.tableRow) {
                placed_.push_back({&tableHead_, page, y});
                y += tableHead_.height;
            }
            placed_.push_back({&b, page, y});
            y += b.height;
        }
        pages_ = page + 1;
    }

    QPagedPaintDevice& device_;
    const PlanDocument& doc_;
    const PassagePlan& plan_;
    double mm_ = 1;
    double width_ = 0;
    double height_ = 0;
    QFont title_, route_, small_, section_, text_, textBold_, note_;
    QFont cell_, cellBold_, cellSmall_;
    std::vector<Block> blocks_;
    Block tableHead_;
    std::vector<Placed> placed_;
    int pages_ = 0;
};

}  // namespace

int PaintPlanDocument(QPagedPaintDevice& device, const PlanDocument& document) {
    PlanLayout layout(device, document);
    return layout.Paint();
}

QByteArray PlanDocumentPdf(const PlanDocument& document) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setTitle(Q(document.plan.title + " - " + document.plan.route));
        writer.setCreator(QStringLiteral("Velmar"));
        if (PaintPlanDocument(writer, document) == 0) return {};
    }
    buffer.close();
    return bytes;
}

}  // namespace velmar
