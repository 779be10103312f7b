// CSob: a shape object of a shape-book page, a key of the panel. It owns one shape (or none)
// and carries an id, a comment and settings of the editing tools.
//
// Tag form: "SOBDMS" (48 bytes: "Id", "Mark", "Comment" (32 characters with the NUL),
// "TxtAlign", "Selected") and the shape's list nested under "Shape:<kind name>", such as
// "Shape:Rectangle". Reading creates shapes of the kinds polygon, rectangle and ellipse; a
// stored shape of another kind leaves the object without a shape, and such an object never
// matches a hit test.
//
// The show flag and the label text are not stored: owners set them for display.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "data/polygon_shape.h"
#include "data/tag_field.h"

class CTagBufLst;

struct SSobDms {
    static constexpr const char* kLabel = "SOBDMS";
    static constexpr STagField kFields[] = {{"Id", kTagInt32, 1},
                                            {"Mark", kTagInt32, 1},
                                            {"Comment", kTagString, 32},
                                            {"TxtAlign", kTagInt32, 1},
                                            {"Selected", kTagBool, 1}};
    int32_t id = 0;
    int32_t mark = 0;
    char comment[32] = {};
    int32_t txtAlign = 0;
    int32_t selected = 0;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.id);
        io(s.mark);
        io(s.comment);
        io(s.txtAlign);
        io(s.selected);
    }
};

class CSob {
public:
    // A shape object with a rectangle shape whose outline and corners are the rectangle
    // (document coordinates with the default projection); the shape takes the same id.
    static std::unique_ptr<CSob> NewRectangle(int32_t id, double left, double top, double right,
                                              double bottom);

    SSobDms& Settings() { return m_dms; }
    const SSobDms& Settings() const { return m_dms; }
    int32_t Id() const { return m_dms.id; }
    void SetId(int32_t id) { m_dms.id = id; }
    std::string Comment() const;
    // At most 31 characters are kept.
    void SetComment(const std::string& text);

    CPolygonShape* Shape() { return m_shape.get(); }
    const CPolygonShape* Shape() const { return m_shape.get(); }
    void SetShape(std::unique_ptr<CPolygonShape> shape) { m_shape = std::move(shape); }
    // The shape's kind, or -1 without a shape.
    int ShapeKind() const { return m_shape ? m_shape->Kind() : -1; }

    bool ShowShape() const { return m_showShape; }
    void SetShowShape(bool on) { m_showShape = on; }
    const std::string& LabelText() const { return m_labelText; }
    void SetLabelText(const std::string& text) { m_labelText = text; }

    // See CPolygonShape::UpdateSpanMap; false without a shape.
    bool UpdateSpanMap(double scaleX, double scaleY, int64_t* budget = nullptr);
    // nullptr without a shape.
    const CPolygonMap* SpanMap() const { return m_shape ? &m_shape->SpanMap() : nullptr; }

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(CTagBufLst& list);

private:
    SSobDms m_dms;
    std::unique_ptr<CPolygonShape> m_shape;
    bool m_showShape = true;
    std::string m_labelText;
};
