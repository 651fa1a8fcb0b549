#include "cli/inspect_json.hpp"

#include <string>
#include <vector>

#include "platform/text_encoding.hpp"

namespace CrossrectCli {

using namespace JwwGaibu;

namespace {

TJson Text(const std::string& sjis) {
    return Platform::ShiftJisToUtf8(sjis);
}

TJson Texts(const std::vector<std::string>& sjis) {
    TJson list = TJson::array();
    for (const std::string& text : sjis)
        list.push_back(Text(text));
    return list;
}

// --- record fields after the header, by record type ---

void AddFields(TJson& j, const TJwwEntLine& r) {
    j["CurveNo"] = r.CurveNo;
    j["X1"] = r.X1, j["Y1"] = r.Y1, j["X2"] = r.X2, j["Y2"] = r.Y2;
}

void AddFields(TJson& j, const TJwwEntCircle& r) {
    j["CX"] = r.CX, j["CY"] = r.CY, j["R"] = r.R;
}

void AddFields(TJson& j, const TJwwEntArc& r) {
    j["CX"] = r.CX, j["CY"] = r.CY, j["R"] = r.R;
    j["Extra1"] = r.Extra1, j["Extra2"] = r.Extra2, j["Extra3"] = r.Extra3, j["Extra4"] = r.Extra4;
}

void AddFields(TJson& j, const TJwwEntText& r) {
    j["SubKind"] = r.SubKind, j["ColorCode"] = r.ColorCode, j["TextKind"] = r.TextKind;
    j["CharWidth"] = r.CharWidth, j["CharHeight"] = r.CharHeight, j["CharSpacing"] = r.CharSpacing;
    j["X"] = r.X, j["Y"] = r.Y, j["DX"] = r.DX, j["DY"] = r.DY;
    j["FontName"] = Text(r.FontName);
    j["Text"] = Text(r.Text);
}

void AddFields(TJson& j, const TJwwEntPoint& r) {
    j["X"] = r.X, j["Y"] = r.Y;
}

void AddFields(TJson& j, const TJwwEntPointEx& r) {
    j["X"] = r.X, j["Y"] = r.Y, j["Param1"] = r.Param1, j["Param2"] = r.Param2;
    j["Param3"] = r.Param3;
}

void AddFields(TJson& j, const TJwwEntBlk& r) {
    j["X"] = r.X, j["Y"] = r.Y;
    j["Name"] = Text(r.Name);
}

void AddFields(TJson& j, const TJwwEntSl2& r) {
    j["ExtColor"] = r.ExtColor;
    j["X1"] = r.X1, j["Y1"] = r.Y1, j["X2"] = r.X2, j["Y2"] = r.Y2;
}

void AddFields(TJson& j, const TJwwEntSl3& r) {
    j["ExtColor"] = r.ExtColor;
    j["X1"] = r.X1, j["Y1"] = r.Y1, j["X2"] = r.X2, j["Y2"] = r.Y2, j["X3"] = r.X3, j["Y3"] = r.Y3;
}

void AddFields(TJson& j, const TJwwEntSl4& r) {
    j["ExtColor"] = r.ExtColor;
    j["X1"] = r.X1, j["Y1"] = r.Y1, j["X2"] = r.X2, j["Y2"] = r.Y2;
    j["X3"] = r.X3, j["Y3"] = r.Y3, j["X4"] = r.X4, j["Y4"] = r.Y4;
}

// "sc" and "se"
void AddFields(TJson& j, const TJwwEntSc& r) {
    j["ExtColor"] = r.ExtColor;
    j["V1"] = r.V1, j["V2"] = r.V2, j["V3"] = r.V3, j["V4"] = r.V4, j["V5"] = r.V5, j["V6"] = r.V6,
    j["V7"] = r.V7;
    j["Code"] = r.Code;
}

// "so" and "sg"
void AddFields(TJson& j, const TJwwEntSo& r) {
    j["ExtColor"] = r.ExtColor;
    j["V1"] = r.V1, j["V2"] = r.V2, j["V3"] = r.V3, j["V4"] = r.V4, j["V5"] = r.V5, j["V6"] = r.V6,
    j["V7"] = r.V7, j["V8"] = r.V8;
}

template <class T> TJson Figure(int32_t kind, const T& record);

void AddFields(TJson& j, const TJwwEntDim& r) {
    j["Line"] = Figure(kKindLine, r.Line);
    j["Text"] = Figure(kKindText, r.Text);
}

template <class T> TJson Figure(int32_t kind, const T& record) {
    const TJwwEntHeader& h = record;
    TJson j = TJson::object();
    j["Kind"] = kind;
    j["HpNo"] = h.HpNo, j["LayerGroup"] = h.LayerGroup, j["Layer"] = h.Layer;
    j["Color"] = h.Color, j["LineType"] = h.LineType, j["LineWidth"] = h.LineWidth;
    j["Flags"] = h.Flags;
    AddFields(j, record);
    return j;
}

TJson FigureAt(const TExchangeState& s, const TJwwOrderItem& item) {
    const int32_t i = item.Index;
    switch (item.Kind) {
    case kKindLine:
        return Figure(item.Kind, s.Lines[i]);
    case kKindCircle:
        return Figure(item.Kind, s.Circles[i]);
    case kKindArc:
        return Figure(item.Kind, s.Arcs[i]);
    case kKindText:
        return Figure(item.Kind, s.Texts[i]);
    case kKindPoint:
        return Figure(item.Kind, s.Points[i]);
    case kKindPointEx:
        return Figure(item.Kind, s.PointExs[i]);
    case kKindDim:
        return Figure(item.Kind, s.Dims[i]);
    case kKindBlk:
        return Figure(item.Kind, s.Blocks[i]);
    case kKindSl2:
        return Figure(item.Kind, s.Sl2s[i]);
    case kKindSl3:
        return Figure(item.Kind, s.Sl3s[i]);
    case kKindSl4:
        return Figure(item.Kind, s.Sl4s[i]);
    case kKindSc:
        return Figure(item.Kind, s.Scs[i]);
    case kKindSe:
        return Figure(item.Kind, s.Ses[i]);
    case kKindSo:
        return Figure(item.Kind, s.Sos[i]);
    case kKindSg:
        return Figure(item.Kind, s.Sgs[i]);
    default:
        return TJson{{"Kind", item.Kind}};
    }
}

bool InTable(const TExchangeState& s, const TJwwOrderItem& item) {
    return item.Kind >= 1 && item.Kind <= kFigureKindCount && item.Index >= 0 &&
           item.Index < s.FigureCount(item.Kind);
}

// --- the state's sections ---

void AddOrder(TJson& j, const TExchangeState& s) {
    j["LineCount"] = s.LineCount();
    TJson counts = TJson::array();
    for (int kind = 1; kind <= kFigureKindCount; ++kind)
        counts.push_back(s.FigureCount(kind));
    j["Counts"] = counts;
    TJson order = TJson::array();
    for (const TJwwOrderItem& item : s.FigureOrder)
        order.push_back({item.Kind, item.Index});
    j["FigureOrder"] = order;
}

void AddHeaderValues(TJson& j, const TExchangeState& s) {
    j["HkValue"] = s.HkValue;
    j["DrawingFileName"] = Text(s.DrawingFileName);
    j["LayerGroupScale"] = s.LayerGroupScale;
    j["PaperWidth"] = s.PaperWidth;
    j["PaperHeight"] = s.PaperHeight;
    TJson kinds = TJson::array();
    for (const TJwwTextKind& k : s.TextKindTable) {
        kinds.push_back({k.CharWidth, k.CharHeight, k.CharSpacing, k.CharColor});
    }
    j["TextKindTable"] = kinds;
    j["RgbTable"] = s.RgbTable;
    j["PaperUnits"] = s.PaperUnits;
    j["HnValues"] = s.HnValues;
}

void AddHostSettings(TJson& j, const TExchangeState& s) {
    j["HostLayerGroup"] = s.HostLayerGroup;
    j["HostLayer"] = s.HostLayer;
    j["HostColor"] = s.HostColor;
    j["HostLineType"] = s.HostLineType;
    j["HostLineWidth"] = s.HostLineWidth;
    j["HostTextKind"] = s.HostTextKind;
    j["HostCharWidth"] = s.HostCharWidth;
    j["HostCharHeight"] = s.HostCharHeight;
    j["HostCharSpacing"] = s.HostCharSpacing;
    j["HostCharColor"] = s.HostCharColor;
    j["HostFontName"] = Text(s.HostFontName);
}

void AddPointsAndLayers(TJson& j, const TExchangeState& s) {
    j["LineWidthSeen"] = s.LineWidthSeen;
    j["CurveCounter"] = s.CurveCounter;
    j["HpCount"] = s.HpCount;
    TJson points = TJson::array();
    for (std::size_t no = 0; no < s.HpTable.size(); ++no) {
        const TJwwHpPoint& p = s.HpTable[no];
        if (p.Used) points.push_back({no, p.X, p.Y, p.Kind});
    }
    j["HpTable"] = points;
    j["LayerGroupValue"] = s.LayerGroupValue;
    j["LayerGroupName"] = Texts(s.LayerGroupName);
    j["LayerValue"] = s.LayerValue;
    j["LayerName"] = Texts(s.LayerName);
}

} // namespace

TJson ExchangeStateJson(const TExchangeState& state) {
    TJson j = TJson::object();
    AddOrder(j, state);
    AddHeaderValues(j, state);
    AddHostSettings(j, state);
    AddPointsAndLayers(j, state);
    TJson figures = TJson::array();
    for (const TJwwOrderItem& item : state.FigureOrder) {
        if (InTable(state, item)) figures.push_back(FigureAt(state, item));
    }
    j["Figures"] = figures;
    return j;
}

} // namespace CrossrectCli
