#pragma once
// The passage plan on paper: the plan's texts (brokenline/PassagePlan.h) and
// the chart of the passage laid out on the pages of any paged device — a
// PDF through QPdfWriter, or a printer — with the route, the date of
// printing and "Pagina 1 di 3" at the top of every page. A row of the points
// table, a line of a report or the chart is never cut across two pages; the
// table's titles are repeated on every page it continues on. QtGui only.
// Texts need a QGuiApplication (offscreen is enough).

#include <QByteArray>
#include <QImage>
#include <QPagedPaintDevice>
#include <filesystem>

#include "brokenline/PassagePlan.h"

namespace velmar {

/// The width in pixels of the plan's chart picture; its height is 3/5 of it.
inline constexpr int kPlanChartWidth = 960;

/// The plan with its chart, as the points window and velmar-cli make it.
struct PlanDocument {
    PassagePlan plan;
    QImage chart;
};

/// Composes the plan (ComposePassagePlan) and draws its chart: the whole
/// passage (PassageView) with every layer, and the coastline from the map
/// file of the chart's central meridian in `mapFolder`. When that file is
/// missing or unreadable the chart is drawn without it and the plan's
/// chart note says so.
PlanDocument MakePlanDocument(const Scheme& scheme, const BrokenLine& line,
                              const BrokenLineWork& work, int method, const PlanPortNames& names,
                              const LocalMoment& printed, const std::filesystem::path& mapFolder);

/// Lays the document out on the pages of `device` (its page layout gives
/// the paper and the margins) and paints it. Returns the number of pages,
/// or 0 when the device could not be painted on.
int PaintPlanDocument(QPagedPaintDevice& device, const PlanDocument& document);

/// The document as a PDF: A4 portrait, 15 mm margins. Empty on failure.
QByteArray PlanDocumentPdf(const PlanDocument& document);

}  // namespace velmar
