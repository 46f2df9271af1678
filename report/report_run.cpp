#include "report/report_run.h"

#include <ctime>

#include "assessment/structure_runs.h"
#include "engine/construction/ad_am_outlines.h"

ReportCalculation CalculateReport(const Drawing& drawing, const AssessOverrides& overrides, int32_t threads,
                                  CalcRun* watch) {
    ReportCalculation calculation;
    calculation.assessment = AssessDrawing(drawing, overrides, threads, watch);
    const AssessmentResult& a = calculation.assessment;
    // The whole drawing's Am is drawn with the distance the structures' Am were built with.
    CalcOptions options = a.calcOptions;
    options.distanceProjection = AmDistance(a.density.edition, a.calcOptions.distanceProjection, a.settings.uw);
    CalcInput input;
    for (const StructureResult& structure : a.structures) {
        CalcInput part = StructureCalcInput(drawing.polygons, structure.structure);
        for (CalcPolygon& polygon : part.polygons)
            input.polygons.push_back(std::move(polygon));
    }
    // The watch's own run, when there is one, so that its stop also ends this last calculation; its bar
    // starts again for it.
    CalcRun own;
    CalcRun* run = watch ? watch : &own;
    if (!input.polygons.empty() && !run->stopped() && ComputeAdAm(&input, options, run))
        calculation.whole = std::move(run->result);
    else
        ClearResult(&calculation.whole);
    return calculation;
}

std::string ReportDateTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

PageDescription ReportPages(const Drawing& drawing, const ReportCalculation& calculation, const ReportRequest& request,
                            const PdfTypesetter& typesetter) {
    ReportInput input;
    input.drawing = &drawing;
    input.assessment = &calculation.assessment;
    input.whole = &calculation.whole;
    input.fileName = request.fileName;
    input.dateTime = request.dateTime;
    input.footprintSource = request.footprintSource;
    input.signatures = request.signatures;
    return BuildReport(input, [&](const std::string& text, double sizePt, bool bold) {
        return typesetter.WidthMm(text, sizePt, bold);
    });
}

bool ReportPdf(const Drawing& drawing, const ReportCalculation& calculation, const ReportRequest& request,
               std::vector<uint8_t>* bytes) {
    PdfTypesetter typesetter;
    if (!typesetter.Ready())
        return false;
    PageDescription pages = ReportPages(drawing, calculation, request, typesetter);
    return typesetter.Write(pages, kReportTitle, bytes);
}
