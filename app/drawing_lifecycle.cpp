#include "app/drawing_lifecycle.h"

#include <cstring>
#include <utility>

#include "app/session.h"
#include "engine/checks/polygon_checks.h"

namespace {

void SetFlags(Drawing& drawing, uint8_t isOpen, uint8_t modified, uint8_t calcReady) {
    drawing.isOpen = isOpen;
    drawing.modified = modified;
    drawing.calcReady = calcReady;
}

}  // namespace

// The program starts in the state that Close leaves.
void StartDrawing(Session& session) {
    CloseDrawing(session);
}

void NewDrawing(Session& session) {
    Drawing& drawing = session.drawing;
    drawing.polygons.clearPolygons();
    drawing.georeference = Georeference();
    drawing.assessment = AssessmentSettings();
    drawing.fileName[0] = 0;
    SetFlags(drawing, 1, 0, 0);
    session.shownResult.discard();
    session.editHistory.reset(drawing, true);
}

// The file is read into a copy of the drawing and taken only once it has passed every check, so that
// a refused file leaves neither its polygons nor its options behind.
FileError OpenDrawing(Session& session, const char* path) {
    Drawing& drawing = session.drawing;
    if (!SetFileName(&drawing, path))
        return FileError::PathTooLong;
    Drawing opened;
    opened.drawOptions = drawing.drawOptions;  // kept when the file's format carries none
    opened.calcOptions = drawing.calcOptions;
    FileError error = ReadDrawingFile(path, &opened);
    if (error == FileError::None && opened.polygons.count() > 0 && !CheckDrawing(opened))
        error = FileError::InvalidPolygons;
    if (error != FileError::None)
        return error;
    session.shownResult.discard();
    drawing.polygons = std::move(opened.polygons);
    drawing.drawOptions = opened.drawOptions;
    drawing.calcOptions = opened.calcOptions;
    drawing.georeference = opened.georeference;
    drawing.assessment = std::move(opened.assessment);
    SetFlags(drawing, 1, 0, 1);
    session.editHistory.reset(drawing, true);
    return FileError::None;
}

FileError SaveDrawing(Session& session, const char* path) {
    Drawing& drawing = session.drawing;
    if (strlen(path) >= FileNameSize)
        return FileError::PathTooLong;
    FileError error = WriteDrawingFile(path, drawing);
    if (error == FileError::None) {
        SetFileName(&drawing, path);
        drawing.modified = 0;
        session.editHistory.markSaved(drawing);
    }
    return error;
}

void CloseDrawing(Session& session) {
    Drawing& drawing = session.drawing;
    drawing.polygons.clearPolygons();
    resetOptions(&drawing);
    drawing.georeference = Georeference();
    drawing.assessment = AssessmentSettings();
    drawing.fileName[0] = 0;
    SetFlags(drawing, 0, 0, 0);
    session.shownResult.discard();
    session.editHistory.reset(drawing, true);
}

// The imported drawing is where its history starts; nothing before it can be undone into it.
ApplyOutcome ImportDrawing(Session& session, const ImportResult& result, bool importRest) {
    Drawing& drawing = session.drawing;
    ApplyOutcome outcome = ApplyImport(result, importRest, &drawing);
    if (outcome == ApplyOutcome::Applied)
        session.editHistory.reset(drawing, false);
    return outcome;
}
