#include "DialogTemplate.h"

#include <cstring>
#include <cwchar>

namespace {

// Fixed parts of the two template forms: the header and one item, in bytes, and where the
// header keeps the style and the item count.
struct TemplateLayout {
    size_t cbHeader;
    size_t nStyleAt;
    size_t nCountAt;
    size_t cbItem;
};
const TemplateLayout kPlain = {18, 0, 8, 18};
const TemplateLayout kExtended = {26, 12, 16, 24};

// Reads a template front to back; any read past the end fails it for good.
class CTemplateReader {
public:
    CTemplateReader(const void* pData, size_t cbData)
        : m_pData(static_cast<const BYTE*>(pData)), m_cbData(pData ? cbData : 0), m_nPos(0), m_bOk(pData != nullptr)
    {
    }

    bool Ok() const { return m_bOk; }
    size_t Pos() const { return m_nPos; }

    void Skip(size_t cb)
    {
        if (m_bOk && cb <= m_cbData - m_nPos)
            m_nPos += cb;
        else
            m_bOk = false;
    }
    WORD Word()
    {
        WORD w = 0;
        if (m_bOk && m_cbData - m_nPos >= sizeof(w))
            std::memcpy(&w, m_pData + m_nPos, sizeof(w));
        Skip(sizeof(w));
        return w;
    }
    // A zero-terminated UTF-16 string.
    void String()
    {
        while (m_bOk && Word() != 0) {
        }
    }
    // 0x0000 (none), 0xFFFF and an ordinal, or a string.
    void StringOrOrdinal()
    {
        const size_t nStart = m_nPos;
        if (Word() == 0xFFFF) {
            Skip(sizeof(WORD));
        } else if (m_bOk) {
            m_nPos = nStart;
            String();
        }
    }
    // Items start on DWORD boundaries, counted from the template's start.
    void AlignDword() { Skip((4 - m_nPos % 4) % 4); }

private:
    const BYTE* m_pData;
    size_t m_cbData;
    size_t m_nPos;
    bool m_bOk;
};

template <typename T>
T ReadAt(const BYTE* pData, size_t nPos)
{
    T value;
    std::memcpy(&value, pData + nPos, sizeof(value));
    return value;
}

void AppendBytes(std::vector<BYTE>* pOut, const void* pData, size_t cb)
{
    const BYTE* pBytes = static_cast<const BYTE*>(pData);
    pOut->insert(pOut->end(), pBytes, pBytes + cb);
}

}  // namespace

std::vector<DWORD> CopyDialogTemplateWithFont(const void* pTemplate, size_t cbTemplate, const wchar_t* pszFace,
                                              WORD nPointSize)
{
    const BYTE* pData = static_cast<const BYTE*>(pTemplate);
    if (!pData || !pszFace || cbTemplate < 4)
        return {};
    const bool bExtended = ReadAt<WORD>(pData, 0) == 1 && ReadAt<WORD>(pData, 2) == 0xFFFF;
    const TemplateLayout& layout = bExtended ? kExtended : kPlain;
    if (cbTemplate < layout.cbHeader)
        return {};
    const DWORD dwStyle = ReadAt<DWORD>(pData, layout.nStyleAt);
    const WORD nItems = ReadAt<WORD>(pData, layout.nCountAt);

    CTemplateReader reader(pData, cbTemplate);
    reader.Skip(layout.cbHeader);
    reader.StringOrOrdinal();   // menu
    reader.StringOrOrdinal();   // window class
    reader.String();            // title
    const size_t nFontAt = reader.Pos();
    if (dwStyle & DS_SETFONT) {
        reader.Skip(bExtended ? 3 * sizeof(WORD) : sizeof(WORD));   // size (EX: weight, italic, charset)
        reader.String();
    }
    const size_t nFontEnd = reader.Pos();
    for (WORD i = 0; i < nItems && reader.Ok(); ++i) {
        reader.AlignDword();
        reader.Skip(layout.cbItem);
        reader.StringOrOrdinal();   // class
        reader.StringOrOrdinal();   // text
        reader.Skip(reader.Word());   // creation data after its byte count
    }
    if (!reader.Ok())
        return {};
    const size_t nItemsAt = (nFontEnd + 3) & ~static_cast<size_t>(3);
    const size_t nEnd = reader.Pos();

    std::vector<BYTE> bytes;
    bytes.reserve(nFontAt + 16 + 2 * std::wcslen(pszFace) + (nEnd > nItemsAt ? nEnd - nItemsAt : 0));
    AppendBytes(&bytes, pData, nFontAt);
    const DWORD dwNewStyle = dwStyle | DS_SETFONT;
    std::memcpy(bytes.data() + layout.nStyleAt, &dwNewStyle, sizeof(dwNewStyle));
    AppendBytes(&bytes, &nPointSize, sizeof(nPointSize));
    if (bExtended) {
        const WORD nWeight = FW_NORMAL;
        const BYTE italicAndCharset[2] = {FALSE, DEFAULT_CHARSET};
        AppendBytes(&bytes, &nWeight, sizeof(nWeight));
        AppendBytes(&bytes, italicAndCharset, sizeof(italicAndCharset));
    }
    AppendBytes(&bytes, pszFace, (std::wcslen(pszFace) + 1) * sizeof(wchar_t));
    if (nItems > 0) {
        bytes.resize((bytes.size() + 3) & ~static_cast<size_t>(3), 0);
        AppendBytes(&bytes, pData + nItemsAt, nEnd - nItemsAt);
    }

    std::vector<DWORD> copy((bytes.size() + 3) / 4, 0);
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    return copy;
}
