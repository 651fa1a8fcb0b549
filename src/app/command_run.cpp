#include "app/command_run.hpp"

#include <exception>
#include <vector>

#include "app/rectangle_drawer.hpp"
#include "exchange/answer_writer.hpp"
#include "exchange/figure_records.hpp"
#include "exchange/output_commands.hpp"
#include "sweep/intersection_sweep.hpp"

namespace Unit1 {

namespace {

// Converts one size into the exchange file's unit. A scale of 0 (only a
// malformed "hs" line gives one) cannot divide: the size is used as entered.
double ToFileUnit(double size, int32_t unit, bool paper_units, double scale) {
    if (paper_units) return (unit == kUnitReal && scale != 0.0) ? size / scale : size;
    return unit == kUnitPaper ? size * scale : size;
}

TRectShape ConvertShape(const JwwGaibu::TExchangeState& state, const TRectSettings& settings) {
    const bool valid_group =
        state.HostLayerGroup >= 0 && state.HostLayerGroup < JwwGaibu::kLayerGroups;
    const double scale = valid_group ? state.LayerGroupScale[state.HostLayerGroup] : 1.0;
    TRectShape shape;
    shape.Width = ToFileUnit(settings.RectWidth, settings.RectWidthUnit, state.PaperUnits, scale);
    shape.Height =
        ToFileUnit(settings.RectHeight, settings.RectHeightUnit, state.PaperUnits, scale);
    shape.AngleDeg = settings.RectAngle;
    shape.RefPoint = settings.RectRefPoint;
    return shape;
}

void PutPenCommands(JwwGaibu::TExchangeState& state, const TRectSettings& settings) {
    if (state.PaperUnits) JwwGaibu::AddOutputLine(state, "bz");
    JwwGaibu::PutLayerGroup(state, state.HostLayerGroup);
    JwwGaibu::PutLayer(state, state.HostLayer);
    JwwGaibu::PutLineColor(state, settings.RectColorIndex, JwwGaibu::kModeListIndex);
    JwwGaibu::PutLineType(state, settings.RectLineTypeIndex, JwwGaibu::kModeListIndex);
    JwwGaibu::PutLineWidth(state, settings.RectLineWidth);
}

// Shows the sweep's progress and draws a rectangle at each crossing.
class TDrawingVisitor final : public TCrossingVisitor {
  public:
    TDrawingVisitor(TRectangleDrawer& drawer, const TStatusSink& status)
        : drawer_(drawer), status_(status) {}
    void Progress(int32_t step, int32_t count) override {
        status_(TStatus{ProgressText(step, count, text_), step, count});
    }
    void Crossings(std::span<const TCrossingPoint> points) override {
        drawer_.DrawRectanglesAt(points);
    }

  private:
    TRectangleDrawer& drawer_;
    const TStatusSink& status_;
    TProgressText text_;
};

void DrawAll(JwwGaibu::TExchangeState& state, const TRectSettings& settings,
             const TStatusSink& status, TSweepMethod method, TRunReport& report) {
    const TRectShape shape = ConvertShape(state, settings);
    PutPenCommands(state, settings);

    status(TStatus{kStatusReading});
    TDrawnPointList plain_points;
    TDrawnPointGrid grid_points;
    const bool plain = method == TSweepMethod::Plain;
    const std::vector<TSweepSegment> segments = SweepSegmentsOf(state.Lines);
    TRectangleDrawer drawer(state.Answer, shape,
                            plain ? static_cast<TDrawnPoints&>(plain_points) : grid_points);
    TDrawingVisitor visitor(drawer, status);
    if (plain)
        SweepPlain(segments, visitor);
    else
        SweepIndexed(segments, visitor);
    drawer.Finish();
    status(TStatus{kStatusGenerating});

    report.RectanglesDrawn = drawer.Drawn();
    report.NonFiniteSkipped = drawer.NonFiniteSkipped();
}

} // namespace

std::vector<TSweepSegment>
SweepSegmentsOf(const JwwGaibu::TJwwTable<JwwGaibu::TJwwEntLine>& lines) {
    std::vector<TSweepSegment> segments;
    segments.reserve(static_cast<std::size_t>(lines.Count()));
    for (int32_t i = 0; i < lines.Count(); ++i) {
        const JwwGaibu::TJwwEntLine& line = lines[i];
        segments.push_back({line.X1, line.Y1, line.X2, line.Y2, line.CurveNo,
                            JwwGaibu::HasDimensionAttribute(line)});
    }
    return segments;
}

TRunReport DrawAtIntersections(JwwGaibu::TExchangeState& state, const TRectSettings& settings,
                               const std::filesystem::path& settings_path,
                               const TStatusSink& status, TSweepMethod method) {
    TRunReport report;
    report.SettingsSaved = SaveSettings(settings, settings_path);
    try {
        DrawAll(state, settings, status, method, report);
    } catch (const std::exception&) {
        // Out of memory, or a status sink that failed: the host gets "hq",
        // never part of an answer.
        state.Answer.Abandon();
    }
    report.Completed = !state.Answer.Abandoned();
    return report;
}

} // namespace Unit1
