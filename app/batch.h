// tarvik-batch: the headless front end. Parses its options, runs the same
// model routines as the main window (generate or read, upkeep, marks, writers,
// analysis) and reports by exit status. It computes nothing of its own.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "model/message_service.h"

namespace tarvik::app {

// Exit statuses of tarvik-batch.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitRead = 2;       // the .man or .jik file cannot be read or is refused
inline constexpr int kExitModel = 3;      // incomplete model or upkeep refused
inline constexpr int kExitWrite = 4;      // an output file cannot be written
inline constexpr int kExitNoFixLoad = 5;  // solver input asked for without supports or loads
inline constexpr int kExitAnalysis =
    6;  // the solver could not run or failed (its diagnostic shown), or its
        // results cannot be read or hold a value out of range
inline constexpr int kExitUnstable = 7;  // results written, but the solver found the frame unstable
inline constexpr int kExitBusy = 8;      // another job holds the working folder

// Seconds a job waits for another job in its working folder, by default and
// at most.
inline constexpr double kDefaultWait = 30.0;
inline constexpr double kMaxWait = 86400.0;

// Message service of the batch front end: messages are printed to err,
// questions are answered Yes (the command line already said what to do).
class PrintingMessages : public model::MessageService {
  public:
    explicit PrintingMessages(std::ostream& err) : err_(err) {}
    void show_message(std::string_view text) override;
    bool ask_yes_no(std::string_view question) override;

  private:
    std::ostream& err_;
};

// Runs tarvik-batch with the arguments after the program name; returns the
// exit status. The summary goes to out, messages and errors to err.
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tarvik::app
