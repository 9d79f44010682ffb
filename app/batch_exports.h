// The export options of tarvik-batch: the frame graphic file, the viewer face
// file and the DXF of the line image, written from the current model without
// a window.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/message_service.h"
#include "model/model_store.h"

namespace tarvik::app {

extern const char* const kExportUsage;

struct ExportOptions {
    std::string ydu;     // frame graphic file
    std::string viewer;  // viewer face file
    std::string dxf;     // DXF of the line image
    std::string eye = "4000,20,70";  // RHO,THETA,PHI of the DXF's image (the start-up eye)
    bool wire = false;               // the plain perspective wire image, no hidden-line removal
    int colour = 2;                  // colour code of the lines, 1..6

    bool any() const { return !ydu.empty() || !viewer.empty() || !dxf.empty(); }
};

// When args[i] is an export option, takes it (and its value, moving i on) and
// returns 1; 0 when it is not one; -1 with error when its value is wrong.
int parse_export_option(const std::vector<std::string>& args, std::size_t& i, ExportOptions& o,
                        std::string& error);

// Writes every export asked for; the image files of the DXF go to the current
// directory. One summary line per file to out. 0, or -1 after the message of
// the failure.
int run_exports(const model::ModelStore& m, const ExportOptions& o, model::MessageService& msg,
                std::ostream& out);

}  // namespace tarvik::app
