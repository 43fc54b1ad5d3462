#include "html/htmltable.h"

#include "html/floatmargins.h"
#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <algorithm>
#include <numeric>

namespace {

// 1, 2 or 3 for the first, second or third keyword an attribute names, ignoring case.
int keywordOf(const qv::AttributeList& attrs, int attribute, const char* const (&words)[3],
              int def) {
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, attribute)) {
        const std::string v = pf::lower(a->text);
        for (int i = 0; i < 3; ++i) {
            if (v == words[i])
                return i + 1;
        }
    }
    return def;
}

int alignOf(const qv::AttributeList& attrs, int def) {
    static const char* const words[3] = {"left", "center", "right"};
    return keywordOf(attrs, qv::att::ALIGN, words, def);
}

int valignOf(const qv::AttributeList& attrs, int def) {
    static const char* const words[3] = {"top", "middle", "bottom"};
    return keywordOf(attrs, qv::att::VALIGN, words, def);
}

bool isPercent(const qv::HtmlAttribute& a) {
    return !a.text.empty() && a.text.back() == '%';
}

long long sum(const std::vector<int>& v, int from, int count) {
    long long s = 0;
    for (int i = from; i < from + count; ++i)
        s += v[std::size_t(i)];
    return s;
}

} // namespace

CHTMLTable::CHTMLTable(HtmlDocument* doc, const qv::AttributeList& attrs, int depth, int align)
    : CSectionBase(doc), m_depth(depth), m_align(align) {
    int padding = -1, spacing = -1;
    for (const qv::HtmlAttribute& a : attrs) {
        switch (a.id) {
        case qv::att::ALIGN: {
            const std::string v = pf::upper(a.text);
            if (v == "CENTER")
                m_align = 2;
            else if (v == "LEFT")
                m_float = 1;
            else if (v == "RIGHT")
                m_float = 2;
            break;
        }
        case qv::att::BORDER:
            m_border = std::clamp(a.num, 0, 20);
            break;
        case qv::att::CELLPADDING:
            if (a.num >= 0)
                padding = std::min(a.num, 100) + 1;
            break;
        case qv::att::CELLSPACING:
            if (a.num >= 0)
                spacing = std::min(a.num + 1, 40);
            break;
        case qv::att::WIDTH:
            if (isPercent(a)) {
                if (a.num >= 1 && a.num <= 100) {
                    m_widthAttr = a.num;
                    m_widthPercent = true;
                }
            } else if (a.num > 0) {
                m_widthAttr = std::min(a.num, 30000);
            }
            break;
        case qv::att::HSPACE:
            m_hspace = std::min(std::abs(std::max(a.num, -20)), 20);
            break;
        case qv::att::BGCOLOR:
            m_bg = qv::parseColour(a.text);
            break;
        case qv::att::BORDERCOLOR:
            m_borderColour = qv::parseColour(a.text);
            break;
        default:
            break;
        }
    }
    m_padding = padding < 0 ? 2 : padding;
    if (m_border == 0)
        m_padding -= 1;
    m_padding = std::clamp(m_padding, 0, 50);
    m_spacing = spacing < 0 ? 3 : spacing;
}

void CHTMLTable::beginRow(const qv::AttributeList& attrs) {
    Row row;
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::BGCOLOR))
        row.bg = qv::parseColour(a->text);
    row.align = alignOf(attrs, 0);
    row.valign = valignOf(attrs, 0);
    m_rows.push_back(std::move(row));
}

CHTMLTable::Cell& CHTMLTable::beginCell(bool header, const qv::AttributeList& attrs) {
    if (m_rows.empty())
        m_rows.emplace_back();
    Row& row = m_rows.back();
    Cell cell;
    cell.header = header;
    cell.align = alignOf(attrs, row.align ? row.align : (header ? 2 : 1));
    cell.valign = valignOf(attrs, row.valign ? row.valign : 2);
    cell.bg = row.bg;
    for (const qv::HtmlAttribute& a : attrs) {
        switch (a.id) {
        case qv::att::COLSPAN:
            if (a.num > 1)
                cell.colspan = std::min(a.num, kMaxColumns);
            break;
        case qv::att::ROWSPAN:
            if (a.num > 1)
                cell.rowspan = std::min(a.num, kMaxRowSpan);
            break;
        case qv::att::WIDTH:
            cell.widthPercent = isPercent(a);
            if (!cell.widthPercent || (a.num >= 1 && a.num <= 100))
                cell.width = std::clamp(a.num, 0, 30000);
            break;
        case qv::att::HEIGHT:
            cell.height = std::clamp(a.num, 0, 30000);
            break;
        case qv::att::BGCOLOR: {
            const qv::Colour c = qv::parseColour(a.text);
            if (c != qv::kNoColour)
                cell.bg = c;
            break;
        }
        default:
            break;
        }
    }
    if (cell.bg == qv::kNoColour)
        cell.bg = m_bg;
    row.cells.push_back(std::move(cell));
    return row.cells.back();
}

SectionList& CHTMLTable::beginCaption(const qv::AttributeList& attrs) {
    m_hasCaption = true;
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::ALIGN))
        m_captionBottom = pf::lower(a->text) == "bottom";
    m_caption.clear();
    return m_caption;
}

void CHTMLTable::SetDocument(HtmlDocument* doc) {
    m_doc = doc;
    for (Row& r : m_rows) {
        for (Cell& c : r.cells) {
            for (auto& b : c.content)
                b->SetDocument(doc);
        }
    }
    for (auto& b : m_caption)
        b->SetDocument(doc);
}

void CHTMLTable::placeCells() {
    // Columns of every cell, skipping places taken by row spans from above.
    m_cols = 0;
    m_rowCount = int(m_rows.size());
    std::vector<std::vector<int>> spanLeft(1, std::vector<int>(kMaxColumns, 0));
    std::vector<int> busy(kMaxColumns, 0); // rows still covered by a span above
    for (int r = 0; r < m_rowCount; ++r) {
        int col = 0;
        for (Cell& c : m_rows[std::size_t(r)].cells) {
            while (col < kMaxColumns && busy[std::size_t(col)] > 0)
                ++col;
            if (col >= kMaxColumns) {
                c.colspan = 0; // beyond the last column: not shown
                continue;
            }
            c.col = col;
            c.row = r;
            c.colspan = std::min(std::max(c.colspan, 1), kMaxColumns - col);
            c.rowspan = std::min(std::max(c.rowspan, 1), m_rowCount - r);
            for (int k = col; k < col + c.colspan; ++k)
                busy[std::size_t(k)] = std::max(busy[std::size_t(k)], c.rowspan);
            col += c.colspan;
            m_cols = std::max(m_cols, col);
        }
        for (int& b : busy) {
            if (b > 0)
                --b;
        }
    }
}

void CHTMLTable::measureCells(pf::Dc& dc) {
    placeCells();
    const int extra = m_spacing + 2 * m_padding - 1;
    m_colMin.assign(std::size_t(m_cols), 0);
    m_colMax.assign(std::size_t(m_cols), 0);
    int maxSpan = 1;
    for (Row& r : m_rows) {
        for (Cell& c : r.cells) {
            if (c.colspan == 0)
                continue;
            int mn = 0, mx = 0;
            qv::minMaxOfList(c.content, dc, mn, mx);
            c.minWidth = mn + extra;
            c.maxWidth = std::max(mx, mn) + extra;
            maxSpan = std::max(maxSpan, c.colspan);
        }
    }
    for (int span = 1; span <= maxSpan; ++span) {
        for (Row& r : m_rows) {
            for (Cell& c : r.cells) {
                if (c.colspan != span)
                    continue;
                if (span == 1) {
                    m_colMin[std::size_t(c.col)] =
                        std::max(m_colMin[std::size_t(c.col)], c.minWidth);
                    m_colMax[std::size_t(c.col)] =
                        std::max(m_colMax[std::size_t(c.col)], c.maxWidth);
                    continue;
                }
                for (auto* v : {&m_colMin, &m_colMax}) {
                    const int want = v == &m_colMin ? c.minWidth : c.maxWidth;
                    const long long have = sum(*v, c.col, span);
                    if (want <= have)
                        continue;
                    const long long excess = want - have;
                    long long given = 0;
                    for (int k = c.col; k < c.col + span; ++k) {
                        const long long share =
                            have > 0 ? excess * (*v)[std::size_t(k)] / have : excess / span;
                        (*v)[std::size_t(k)] += int(share);
                        given += share;
                    }
                    (*v)[std::size_t(c.col + span - 1)] += int(excess - given);
                }
            }
        }
    }
    for (int k = 0; k < m_cols; ++k)
        m_colMax[std::size_t(k)] = std::max(m_colMax[std::size_t(k)], m_colMin[std::size_t(k)]);
}

void CHTMLTable::GetMinMaxWidth(pf::Dc& dc, int& minimum, int& maximum) {
    measureCells(dc);
    minimum = int(sum(m_colMin, 0, m_cols)) + m_spacing;
    maximum = int(sum(m_colMax, 0, m_cols)) + m_spacing;
    if (m_hasCaption) {
        int mn = 0, mx = 0;
        qv::minMaxOfList(m_caption, dc, mn, mx);
        minimum = std::max(minimum, mn);
        maximum = std::max(maximum, mx);
    }
    if (m_widthAttr > 0 && !m_widthPercent)
        maximum = std::max(minimum, m_widthAttr);
    maximum = std::max(maximum, minimum);
    const int indent = m_depth * qv::FloatMargins::kIndent;
    minimum += indent + (m_float ? m_hspace + 1 : 0);
    maximum += indent + (m_float ? m_hspace + 1 : 0);
}

void CHTMLTable::computeColumns(int target) {
    const int n = m_cols;
    std::vector<int>& w = m_colWidths;
    w.assign(std::size_t(n), 0);
    if (n == 0)
        return;
    std::vector<int> mn = m_colMin, mx = m_colMax;
    const long long sumMin = sum(mn, 0, n);

    // Column percentages.
    std::vector<int>& pct = m_colPct;
    pct.assign(std::size_t(n), 0);
    bool pixelCell = false;
    auto cellPct = [&](const Cell& c) {
        if (c.width <= 0)
            return 0;
        if (m_widthPercent || (m_widthAttr == 0 && c.widthPercent))
            return std::min(c.width, 100);
        if (c.widthPercent)
            return std::min(c.width, 100);
        pixelCell = true;
        const int base = m_widthAttr > 0 ? m_widthAttr : target;
        return int(std::min<long long>(100, (long long)c.width * 100 / std::max(base, 1)));
    };
    for (const Row& r : m_rows) {
        for (const Cell& c : r.cells) {
            if (c.colspan == 1)
                pct[std::size_t(c.col)] = std::max(pct[std::size_t(c.col)], cellPct(c));
        }
    }
    for (const Row& r : m_rows) {
        for (const Cell& c : r.cells) {
            if (c.colspan <= 1)
                continue;
            const int p = cellPct(c);
            if (p <= 0)
                continue;
            const long long have = sum(pct, c.col, c.colspan);
            int without = 0;
            for (int k = c.col; k < c.col + c.colspan; ++k)
                without += pct[std::size_t(k)] == 0;
            if (without > 0 && p > have) {
                for (int k = c.col; k < c.col + c.colspan; ++k) {
                    if (pct[std::size_t(k)] == 0)
                        pct[std::size_t(k)] = int((p - have) / without);
                }
            } else if (without == 0 && p > have && have > 0) {
                for (int k = c.col; k < c.col + c.colspan; ++k)
                    pct[std::size_t(k)] = int(pct[std::size_t(k)] * p / have);
            }
        }
    }
    long long sumP = sum(pct, 0, n);
    if (sumP > 100) {
        for (int& p : pct)
            p = int(p * 100 / sumP);
        sumP = sum(pct, 0, n);
    }

    auto interpolate = [&](const std::vector<int>& lo, const std::vector<int>& hi) {
        const long long sLo = sum(lo, 0, n), sHi = sum(hi, 0, n);
        if (sHi > target && sHi > sLo) {
            long long total = 0;
            for (int k = 0; k < n; ++k) {
                w[std::size_t(k)] =
                    int(lo[std::size_t(k)] + (long long)(hi[std::size_t(k)] - lo[std::size_t(k)]) *
                                                 (target - sLo) / (sHi - sLo));
                total += w[std::size_t(k)];
            }
            w[std::size_t(n - 1)] += int(target - total);
        } else {
            w = hi;
        }
    };

    if (sumMin >= target) {
        w = mn;
        return;
    }
    if (pixelCell && m_widthAttr == 0) {
        interpolate(mn, mx);
        return;
    }
    if (m_widthAttr > 0) {
        std::vector<bool> fixed(std::size_t(n), false);
        for (int k = 0; k < n; ++k) {
            const int p = pct[std::size_t(k)];
            if (p == 0) {
                w[std::size_t(k)] = mn[std::size_t(k)];
            } else {
                w[std::size_t(k)] = int((long long)target * p / 100);
                if (w[std::size_t(k)] < mn[std::size_t(k)]) {
                    w[std::size_t(k)] = mn[std::size_t(k)];
                    fixed[std::size_t(k)] = true;
                }
            }
        }
        long long total = sum(w, 0, n);
        if (total < target) {
            const long long diff = target - total;
            long long spread = 0, free = 0;
            int withoutPct = 0;
            for (int k = 0; k < n; ++k) {
                if (pct[std::size_t(k)] == 0) {
                    ++withoutPct;
                    spread += mx[std::size_t(k)] - mn[std::size_t(k)];
                } else if (!fixed[std::size_t(k)]) {
                    free += pct[std::size_t(k)];
                }
            }
            for (int k = 0; k < n; ++k) {
                if (withoutPct > 0) {
                    if (pct[std::size_t(k)] == 0)
                        w[std::size_t(k)] += int(
                            spread > 0 ? diff * (mx[std::size_t(k)] - mn[std::size_t(k)]) / spread
                                       : diff / withoutPct);
                } else if (free > 0 && !fixed[std::size_t(k)]) {
                    w[std::size_t(k)] += int(diff * pct[std::size_t(k)] / free);
                }
            }
        } else if (total > target) {
            for (int round = 0; round < 4 && total > target; ++round) {
                long long free = 0;
                for (int k = 0; k < n; ++k) {
                    if (pct[std::size_t(k)] > 0 && !fixed[std::size_t(k)])
                        free += pct[std::size_t(k)];
                }
                if (free == 0)
                    break;
                const long long excess = total - target;
                for (int k = 0; k < n; ++k) {
                    if (pct[std::size_t(k)] == 0 || fixed[std::size_t(k)])
                        continue;
                    w[std::size_t(k)] -= int(excess * pct[std::size_t(k)] / free);
                    if (w[std::size_t(k)] < mn[std::size_t(k)]) {
                        w[std::size_t(k)] = mn[std::size_t(k)];
                        fixed[std::size_t(k)] = true;
                    }
                }
                total = sum(w, 0, n);
            }
        }
        total = sum(w, 0, n);
        if (total < target) {
            w[0] += int(target - total);
        } else if (total > target) {
            for (int k = 0; k < n; ++k) {
                if (!fixed[std::size_t(k)]) {
                    w[std::size_t(k)] =
                        std::max(mn[std::size_t(k)], int(w[std::size_t(k)] - (total - target)));
                    break;
                }
            }
        }
        return;
    }
    if (sumP > 0) {
        long long othersMax = 0;
        int others = 0;
        for (int k = 0; k < n; ++k) {
            if (pct[std::size_t(k)] == 0) {
                othersMax += mx[std::size_t(k)];
                ++others;
            }
        }
        long long implied =
            others == 0 ? 0 : (sumP >= 100 ? 30000 : othersMax * 100 / (100 - sumP));
        for (int k = 0; k < n; ++k) {
            if (pct[std::size_t(k)] > 0)
                implied =
                    std::max(implied, (long long)mx[std::size_t(k)] * 100 / pct[std::size_t(k)]);
        }
        if (implied <= target) {
            long long used = 0;
            for (int k = 0; k < n; ++k) {
                if (pct[std::size_t(k)] > 0) {
                    w[std::size_t(k)] = int(implied * pct[std::size_t(k)] / 100);
                    used += w[std::size_t(k)];
                }
            }
            const long long rest = implied - used;
            for (int k = 0; k < n; ++k) {
                if (pct[std::size_t(k)] == 0)
                    w[std::size_t(k)] =
                        int(othersMax > 0 ? rest * mx[std::size_t(k)] / othersMax : rest / others);
            }
            for (int k = 0; k < n; ++k)
                w[std::size_t(k)] = std::max(w[std::size_t(k)], mn[std::size_t(k)]);
            return;
        }
        for (int round = 0; round < 32; ++round) {
            long long pctWidth = 0, othersMin = 0;
            for (int k = 0; k < n; ++k) {
                if (pct[std::size_t(k)] > 0 &&
                    (long long)target * pct[std::size_t(k)] / 100 - 1 < mn[std::size_t(k)])
                    pct[std::size_t(k)] = 0;
                if (pct[std::size_t(k)] > 0)
                    pctWidth += (long long)target * pct[std::size_t(k)] / 100;
                else
                    othersMin += mn[std::size_t(k)];
            }
            if (pctWidth + othersMin <= target || pctWidth == 0)
                break;
            const long long room = std::max<long long>(0, target - othersMin);
            for (int& p : pct)
                p = int(p * room / pctWidth);
        }
        for (int k = 0; k < n; ++k) {
            if (pct[std::size_t(k)] > 0) {
                const int share = int((long long)target * pct[std::size_t(k)] / 100);
                mn[std::size_t(k)] = mx[std::size_t(k)] = std::max(share, mn[std::size_t(k)]);
            }
        }
        interpolate(mn, mx);
        return;
    }
    interpolate(mn, mx);
}

int CHTMLTable::Layout(pf::Dc& dc, int top, qv::FloatMargins& margins) {
    m_top = top;
    margins.setDepth(m_depth, top);
    measureCells(dc);
    const int leftEdge = margins.leftAt(top);
    const int available = margins.rightAt(top) - leftEdge - (m_float ? m_hspace + 1 : 0);
    int target = m_widthAttr > 0 ? (m_widthPercent ? available * m_widthAttr / 100 : m_widthAttr)
                                 : available;
    target = std::max(20, target - m_spacing);
    computeColumns(target);
    m_width = int(sum(m_colWidths, 0, m_cols)) + m_spacing;
    int captionMin = 0, captionMax = 0;
    if (m_hasCaption) {
        qv::minMaxOfList(m_caption, dc, captionMin, captionMax);
        m_width = std::max(m_width, captionMin);
    }

    // Content first, at x; rows are measured and everything moved down afterwards.
    std::vector<int> colX(std::size_t(m_cols) + 1, m_spacing);
    for (int k = 0; k < m_cols; ++k)
        colX[std::size_t(k) + 1] = colX[std::size_t(k)] + m_colWidths[std::size_t(k)];
    const int extra = m_spacing + 2 * m_padding - 1;
    m_rowHeights.assign(std::size_t(m_rowCount), 0);
    for (Row& r : m_rows) {
        for (Cell& c : r.cells) {
            if (c.colspan == 0)
                continue;
            c.x = colX[std::size_t(c.col)];
            c.w = colX[std::size_t(c.col + c.colspan)] - c.x - m_spacing;
            const int cw = std::max(1, c.w - 2 * m_padding + 1);
            c.contentHeight = qv::layoutList(c.content, dc, 0, 0, cw, nullptr);
            const int need =
                std::max(c.contentHeight + extra, c.height > 0 ? c.height + m_spacing : 0);
            if (c.rowspan == 1)
                m_rowHeights[std::size_t(c.row)] = std::max(m_rowHeights[std::size_t(c.row)], need);
        }
    }
    for (Row& r : m_rows) {
        for (Cell& c : r.cells) {
            if (c.colspan == 0 || c.rowspan <= 1)
                continue;
            const int need =
                std::max(c.contentHeight + extra, c.height > 0 ? c.height + m_spacing : 0);
            const long long have = sum(m_rowHeights, c.row, c.rowspan);
            if (need > have) {
                const int diff = int(need - have);
                for (int k = c.row; k < c.row + c.rowspan; ++k)
                    m_rowHeights[std::size_t(k)] += diff / c.rowspan;
                m_rowHeights[std::size_t(c.row + c.rowspan - 1)] += diff % c.rowspan;
            }
        }
    }
    int captionHeight = 0;
    if (m_hasCaption)
        captionHeight = qv::layoutList(m_caption, dc, 0, 0, m_width, nullptr);
    m_captionHeight = captionHeight;
    const int gridHeight = int(sum(m_rowHeights, 0, m_rowCount)) + m_spacing;
    m_height = gridHeight + captionHeight;

    // Horizontal place.
    if (m_float == 1) {
        m_left = margins.addLeft(top, m_width + m_hspace + 1, m_height);
    } else if (m_float == 2) {
        m_left = margins.addRight(top, m_width + m_hspace + 1, m_height) + m_hspace + 1;
    } else {
        const int room = std::max(0, margins.rightAt(top) - leftEdge - m_width);
        m_left = leftEdge + (m_align == 2 ? room / 2 : m_align == 3 ? room : 0);
    }
    m_right = m_left + m_width;
    m_gridTop = top + (m_captionBottom ? 0 : captionHeight);
    std::vector<int> rowY(std::size_t(m_rowCount) + 1, m_spacing);
    for (int k = 0; k < m_rowCount; ++k)
        rowY[std::size_t(k) + 1] = rowY[std::size_t(k)] + m_rowHeights[std::size_t(k)];
    for (Row& r : m_rows) {
        for (Cell& c : r.cells) {
            if (c.colspan == 0)
                continue;
            c.y = rowY[std::size_t(c.row)];
            c.h = rowY[std::size_t(c.row + c.rowspan)] - c.y - m_spacing;
            const int free = std::max(0, c.h - 2 * m_padding - c.contentHeight);
            const int shift = c.valign == 1 ? 0 : c.valign == 3 ? free : free / 2;
            const int ox = m_left + c.x + m_padding;
            const int oy = m_gridTop + c.y + m_padding + shift;
            for (auto& b : c.content)
                b->Offset(ox, oy);
        }
    }
    if (m_hasCaption) {
        const int cy = m_captionBottom ? top + gridHeight : top;
        for (auto& b : m_caption)
            b->Offset(m_left, cy);
    }
    return m_float ? 0 : m_height;
}

void CHTMLTable::Offset(int dx, int dy) {
    CSectionBase::Offset(dx, dy);
    m_left += dx;
    m_gridTop += dy;
    for (Row& r : m_rows) {
        for (Cell& c : r.cells) {
            for (auto& b : c.content)
                b->Offset(dx, dy);
        }
    }
    for (auto& b : m_caption)
        b->Offset(dx, dy);
}

int CHTMLTable::Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy) {
    const pf::Rect area{m_left, m_top, m_left + m_width, bottom()};
    if (!area.intersects(visible))
        return bottom();
    if (m_hasCaption && !m_captionBottom) {
        for (auto& b : m_caption)
            b->Draw(dc, visible, dx, dy);
    }
    const int gridBottom = m_gridTop + int(sum(m_rowHeights, 0, m_rowCount)) + m_spacing;
    if (m_borderColour != qv::kNoColour)
        dc.fillRect({m_left + dx, m_gridTop + dy, m_left + m_width + dx, gridBottom + dy},
                    m_borderColour & 0xFFFFFF);
    for (const Row& r : m_rows) {
        for (const Cell& c : r.cells) {
            if (c.colspan == 0)
                continue;
            const pf::Rect box{m_left + c.x, m_gridTop + c.y, m_left + c.x + c.w,
                               m_gridTop + c.y + c.h};
            if (box.top > visible.bottom || box.bottom < visible.top)
                continue;
            const pf::Rect shown{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
            qv::Colour bg = c.bg;
            if (bg == qv::kNoColour && m_bg == qv::kNoColour && !m_doc->printing())
                bg = m_inherited;
            if (bg != qv::kNoColour)
                dc.fillRect(shown, bg & 0xFFFFFF);
            else if (m_borderColour != qv::kNoColour)
                dc.fillRect(shown, m_doc->backgroundColour & 0xFFFFFF);
            for (const auto& b : c.content) {
                if (auto* nested = dynamic_cast<CHTMLTable*>(b.get()))
                    nested->setInheritedColour(bg);
                b->Draw(dc, visible, dx, dy);
            }
            if (m_border > 0)
                m_doc->drawFrame(dc, shown, true);
        }
    }
    if (m_border > 0)
        m_doc->drawFrame(dc, {m_left + dx, m_gridTop + dy, m_left + m_width + dx, gridBottom + dy},
                         false);
    if (m_hasCaption && m_captionBottom) {
        for (auto& b : m_caption)
            b->Draw(dc, visible, dx, dy);
    }
    return bottom();
}

int CHTMLTable::HitTestLink(int x, int y, pf::Point* where) const {
    for (const Row& r : m_rows) {
        for (const Cell& c : r.cells) {
            if (c.colspan == 0)
                continue;
            const pf::Rect box{m_left + c.x, m_gridTop + c.y, m_left + c.x + c.w,
                               m_gridTop + c.y + c.h};
            if (!box.contains(x, y))
                continue;
            for (const auto& b : c.content) {
                const int link = b->HitTestLink(x, y, where);
                if (link > 0)
                    return link;
            }
        }
    }
    for (const auto& b : m_caption) {
        const int link = b->HitTestLink(x, y, where);
        if (link > 0)
            return link;
    }
    return -1;
}

bool CHTMLTable::GetItemRect(int number, pf::Rect& rect) const {
    for (const Row& r : m_rows) {
        for (const Cell& c : r.cells) {
            for (const auto& b : c.content) {
                if (b->GetItemRect(number, rect))
                    return true;
            }
        }
    }
    for (const auto& b : m_caption) {
        if (b->GetItemRect(number, rect))
            return true;
    }
    return false;
}

void CHTMLTable::PlaceControls(int dx, int dy) {
    for (Row& r : m_rows) {
        for (Cell& c : r.cells) {
            for (auto& b : c.content)
                b->PlaceControls(dx, dy);
        }
    }
    for (auto& b : m_caption)
        b->PlaceControls(dx, dy);
}

void CHTMLTable::Paginate(int pageTop, int& pageEnd) const {
    const int page = pageEnd - pageTop;
    if (m_top >= pageEnd || bottom() <= pageEnd)
        return;
    if (m_top > pageTop + page / 2 && m_height < page) {
        pageEnd = m_top;
        return;
    }
    // The table stays: the page ends above the first row that would be cut.
    int y = m_gridTop + m_spacing;
    for (int k = 0; k < m_rowCount; ++k) {
        const int h = m_rowHeights[std::size_t(k)];
        if (y > pageTop && y < pageEnd && y + h > pageEnd && h < page) {
            pageEnd = y;
            return;
        }
        y += h;
    }
}
