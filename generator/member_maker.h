// Appending generated members: both end nodes through find_or_add_node (start
// point first), the member defaults of a generated member and its trace line.
#pragma once

#include "model/message_service.h"
#include "model/model_store.h"

namespace tarvik::generator {

// A point computed in double; stored as float when it becomes a node.
struct P3 {
    double x, y, z;
};

// Member kinds made by the generator.
inline constexpr int kKindPost = 1;      // post of the space floor
inline constexpr int kKindFrame = 2;     // frame member of the space floor
inline constexpr int kKindChord = 3;     // chord; also the eaves frame
inline constexpr int kKindDiagonal = 4;  // diagonal of the space floor
inline constexpr int kKindBrace = 5;     // side truss of the space floor
inline constexpr int kKindColumn = 6;    // outer column, its ties and braces
inline constexpr int kKindRoofColumn = 7;
inline constexpr int kKindGirder = 8;
inline constexpr int kKindHip = 9;
inline constexpr int kKindRafter = 10;
inline constexpr int kKindAngleRafter = 11;
inline constexpr int kKindPurlin = 12;

// One routine's appends. After the first refusal (a full table; the message
// has been shown) further appends do nothing, so a routine can run its loops
// to the end and report once.
class MemberMaker {
  public:
    MemberMaker(model::ModelStore& m, model::MessageService& msg) : m_(m), msg_(msg) {}

    // Member from p to q. A member whose two ends fall on one node is not made
    // (it would have no length); the trace notes it.
    void add(const P3& p, const P3& q, int kind, float haba, float atumi);
    void add(const P3& p, const P3& q, int kind, float section) {
        add(p, q, kind, section, section);
    }

    // Copy of a member between two given points, with its kind and section.
    void copy(const model::Beam& src, const P3& p, const P3& q) {
        add(p, q, src.kind, src.haba, src.atumi);
    }

    // Node number of a point (find or add); -1 once failed.
    int node(const P3& p);

    bool failed() const { return failed_; }
    int result() const { return failed_ ? -1 : 0; }
    model::ModelStore& store() { return m_; }
    model::MessageService& messages() { return msg_; }

  private:
    model::ModelStore& m_;
    model::MessageService& msg_;
    bool failed_ = false;
};

}  // namespace tarvik::generator
