#include "moduleprintmanager.h"

#include "modulesettings.h"
#include "moduletext.h"
#include "printvalue.h"

#include <quorva/detailsstore.h>
#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace qv {
namespace {

// Official pages and details statements are image items: a statement has no page image,
// only grid texts.
constexpr int kImageKind = 1;
constexpr int kStatementKind = 1;
constexpr int kFirstRow = 4;
constexpr int kLastRow = 60;
constexpr int kDateColumn = 3;
constexpr int kDescriptionColumn = 15;
constexpr int kDescriptionWidth = 44;
constexpr int kAmountColumn = 61;
constexpr int kAmountWidth = 16;
constexpr int kCommentWidth = 74;

std::string text64(CFormManager* fm, int (CFormManager::*get)(char*, int, int), int form) {
    char buf[QV_LONGTEXT_SIZE];
    (fm->*get)(buf, sizeof buf, form);
    return buf;
}

// Line-item block: count byte, then 140-byte items; the count is recomputed from the length.
struct LineItem {
    std::int32_t date;
    std::string description;
    std::int64_t amount;
};

std::vector<LineItem> lineItems(const std::string& block) {
    std::vector<LineItem> items;
    if (block.empty())
        return items;
    const std::size_t count =
        std::min<std::size_t>((block.size() - 1) / DETAILS_ITEM_SIZE, DETAILS_MAX_ITEMS);
    for (std::size_t i = 0; i < count; ++i) {
        const char* p = block.data() + 1 + i * DETAILS_ITEM_SIZE;
        LineItem item;
        std::memcpy(&item.date, p + DETAILS_DATE_OFFSET, sizeof item.date);
        const char* d = p + DETAILS_DESCRIPTION_OFFSET;
        item.description.assign(d, strnlen(d, DETAILS_DESCRIPTION_SIZE));
        std::memcpy(&item.amount, p + DETAILS_AMOUNT_OFFSET, sizeof item.amount);
        items.push_back(std::move(item));
    }
    return items;
}

// The time stamp goes on every page unless the user switched it off for the job.
bool stampPages() {
    return profileInt("Print", "DateTime", 1) != 0;
}

// Grid text of 8 and 10 points is narrower than the grid's 12.
int charactersThatFit(const GridPlace& place) {
    const int points = place.elementType == PET_GRID_BOLD8    ? 8
                       : place.elementType == PET_GRID_BOLD10 ? 10
                                                              : 12;
    return std::max(1, place.width * 12 / points);
}

} // namespace

// The images live in the program directory beside the library; a program directory named
// by QUORVA_PROGDIR comes first, as for the module data files.
int ModulePrintManager::Initialize() {
    if (m_options.imageFile.empty())
        return 1;
    if (const char* dir = std::getenv("QUORVA_PROGDIR"); dir && *dir) {
        std::string folder = dir;
        if (folder.back() != '/')
            folder += '/';
        if (m_images.open(folder + m_options.imageFile))
            return 1;
    }
    m_images.open(PrintImageFile::libraryFolder() + m_options.imageFile);
    return 1;
}

std::string ModulePrintManager::formName(int form) const {
    if (!m_fm || form < 1 || form > m_fm->GetFormCount())
        return {};
    char buf[QV_NAME_SIZE] = {};
    m_fm->GetFormName(buf, sizeof buf, form);
    return buf;
}

int ModulePrintManager::CanPrintForm(int form) {
    const std::string name = formName(form);
    return !name.empty() && m_images.pageCount(name) > 0 ? 1 : 0;
}

void ModulePrintManager::AddCopy(CFormCopy* copy) {
    if (!copy)
        return;
    const std::string name = formName(copy->GetFormIndex());
    if (!name.empty() && m_images.pageCount(name) > 0)
        addImageCopy(copy, name);
    else
        AddLayoutCopy(copy);
}

int ModulePrintManager::GetImageSize(const char* image) {
    const std::string* bytes = image ? m_images.find(image) : nullptr;
    return bytes ? int(bytes->size()) : 0;
}

int ModulePrintManager::ReadImage(const char* image, void* buffer, int size) {
    const std::string* bytes = image ? m_images.find(image) : nullptr;
    if (!bytes || bytes->empty() || !buffer || size < int(bytes->size()))
        return 0;
    std::memcpy(buffer, bytes->data(), bytes->size());
    return 1;
}

const std::vector<GridPlace>& ModulePrintManager::placesOf(const std::string& name) {
    auto it = m_places.find(upperName(name));
    if (it == m_places.end())
        it = m_places.emplace(upperName(name), m_images.places(name)).first;
    return it->second;
}

// One item per copy: page by page, the page image, the values in their places, the stamp.
// Worksheets and copies holding estimated amounts are marked not for filing.
void ModulePrintManager::addImageCopy(CFormCopy* copy, const std::string& name) {
    CFormManager* fm = copy->GetFormManager();
    const int form = copy->GetFormIndex();
    const int pages = m_images.pageCount(name);
    ModulePrintItem* item = add(kImageKind, copy);
    bool estimated = false;
    for (int n = 1; fm && n <= fm->GetFieldCount(form) && !estimated; ++n) {
        CField* field = copy->GetField(n);
        estimated = field && field->TestFlag(FF_ESTIMATED);
    }
    if (estimated || (fm && fm->GetCategoryOrder(form, CAT_WORKSHEETS) > 0))
        item->setFlags(PIF_NOTFORFILING);
    const bool stamp = stampPages();
    const std::vector<GridPlace>& places = placesOf(name);
    for (int page = 1; page <= pages; ++page) {
        item->addElement(PET_IMAGE, 0, page, 0, 0, 0, name + "." + std::to_string(page));
        for (const GridPlace& place : places) {
            if (place.page != page || !fm)
                continue;
            int number = 0;
            if (place.kind == 'H') {
                const int first = fm->FindField(form, place.field.c_str(), 0);
                number = first > 0 ? first + place.element : 0;
            } else {
                number = fm->FindField(form, place.field.c_str(), place.element);
            }
            CField* field = number > 0 ? copy->GetField(number) : nullptr;
            std::string text = printValueText(field, place);
            if (text.empty())
                continue;
            const int type = field->GetType();
            unsigned flags = 0;
            int elementType = place.elementType;
            if (place.kind == 'E' && (type == FT_MONEY || type == FT_INTEGER || type == FT_DECIMAL))
                flags = PEF_RIGHT;
            else if (place.align == 1 || place.kind == 'H')
                flags = PEF_CENTRE;
            else if (place.align == 2)
                flags = PEF_RIGHT;
            // Names and addresses print in the normal weight; amounts and marks in bold.
            if (place.kind == 'E' && elementType == PET_GRID_BOLD12 && type >= FT_TEXT &&
                type <= 11)
                elementType = PET_GRID12;
            // An amount too wide for its box runs further left rather than lose digits.
            if (flags != PEF_RIGHT)
                text = text.substr(0, std::size_t(charactersThatFit(place)));
            item->addElement(elementType, flags, page, place.row, place.column, place.width, text);
        }
        if (stamp)
            item->addElement(PET_TIMESTAMP, 0, page, 0, 0, 0, "");
        if (m_options.decorate)
            m_options.decorate(copy, *item, page, pages);
    }
}

CPrintItem* ModulePrintManager::GetItem(int index) {
    if (index < 0 || std::size_t(index) >= m_items.size())
        return nullptr;
    return m_items[std::size_t(index)].get();
}

ModulePrintItem* ModulePrintManager::add(int kind, CFormCopy* copy) {
    m_items.push_back(std::make_unique<ModulePrintItem>(this, kind, copy));
    ModulePrintItem* item = m_items.back().get();
    if (m_store)
        m_store->AddPrintItem(item);
    return item;
}

// The return is its forms and schedules, in category order; documents received and
// worksheets are not filed with it, nor a schedule whose check field "Needed" is clear (one the
// module keeps at hand, such as a Schedule B below the amount that requires it).
void ModulePrintManager::forEachReturnCopy(void (ModulePrintManager::*action)(CFormCopy*)) {
    if (!m_fm)
        return;
    std::vector<std::pair<int, int>> order; // (position, form)
    for (int form = 1; form <= m_fm->GetFormCount(); ++form) {
        if (const int pos = m_fm->GetCategoryOrder(form, CAT_FORMS))
            order.emplace_back(pos, form);
    }
    std::sort(order.begin(), order.end());
    for (const auto& [pos, form] : order) {
        const int needed = m_fm->FindField(form, "Needed", 0);
        for (int ordinal = 1; ordinal <= m_fm->GetCopyCount(form); ++ordinal) {
            CFormCopy* copy = m_fm->GetFormCopy(form, ordinal);
            CField* flag = copy && needed > 0 ? copy->GetField(needed) : nullptr;
            if (copy && (!flag || flag->IsSet()))
                (this->*action)(copy);
        }
    }
}

void ModulePrintManager::AddReturn() {
    forEachReturnCopy(&ModulePrintManager::AddCopy);
}

void ModulePrintManager::AddReturnDetails() {
    forEachReturnCopy(&ModulePrintManager::AddCopyDetails);
}

void ModulePrintManager::AddLayoutCopy(CFormCopy* copy) {
    if (copy)
        add(PIK_LAYOUT, copy);
}

void ModulePrintManager::AddCopyDetails(CFormCopy* copy) {
    if (!copy || !m_store || !copy->GetFormManager())
        return;
    const int fields = copy->GetFormManager()->GetFieldCount(copy->GetFormIndex());
    for (int n = 1; n <= fields; ++n) {
        CField* field = copy->GetField(n);
        if (!field)
            continue;
        const int listSize = m_store->GetDetailsListSize(field);
        const int noteSize = m_store->GetDetailsNoteSize(field);
        if (listSize <= 0 && noteSize <= 0)
            continue;
        std::string block(std::size_t(std::max(listSize, 0)), '\0');
        std::string note(std::size_t(std::max(noteSize, 0)), '\0');
        if (listSize > 0 && m_store->ReadDetailsList(field, block.data(), listSize) != listSize)
            block.clear();
        if (noteSize > 0 && m_store->ReadDetailsNote(field, note.data(), noteSize) != noteSize)
            note.clear();
        addStatement(field, block, note);
    }
}

void ModulePrintManager::AddFieldDetails(CField* field, const void* block, int size,
                                         const char* comment) {
    if (!field)
        return;
    const std::string bytes = block && size > 0
                                  ? std::string(static_cast<const char*>(block), std::size_t(size))
                                  : std::string();
    addStatement(field, bytes, comment ? comment : "");
}

// A statement of one field's line items and comment, continued on further pages as needed.
void ModulePrintManager::addStatement(CField* field, const std::string& block,
                                      const std::string& comment) {
    CFormCopy* copy = field->GetCopy();
    CFormManager* fm = copy ? copy->GetFormManager() : nullptr;
    if (!fm)
        return;
    char buf[QV_LONGTEXT_SIZE];
    fm->GetModuleTitle(buf, sizeof buf);
    std::string heading =
        std::string(buf) + " " + text64(fm, &CFormManager::GetFormTitle, copy->GetFormIndex());
    fm->GetFieldName(buf, sizeof buf, copy->GetFormIndex(), field->GetFieldNumber());
    heading += std::string(", ") + buf;
    if (copy->GetCopyTitle(buf, sizeof buf) > 0)
        heading += std::string(" - ") + buf;

    ModulePrintItem* item = add(kStatementKind, copy);
    const bool stamp = stampPages();
    int page = 1;
    int row = kFirstRow;
    const auto startPage = [&] {
        if (stamp)
            item->addElement(PET_TIMESTAMP, 0, page, 0, 0, 0, "");
        item->addElement(PET_ARIAL10 + 2, PEF_BOLD, page, kFirstRow, kDateColumn, 70,
                         "Supporting Details");
        item->addElement(PET_GRID12, 0, page, kFirstRow + 2, kDateColumn, 74, heading);
        row = kFirstRow + 4;
    };
    const auto nextRow = [&] {
        if (++row > kLastRow) {
            ++page;
            startPage();
        }
    };
    startPage();
    const std::vector<LineItem> items = lineItems(block);
    std::int64_t total = 0;
    for (const LineItem& li : items) {
        item->addElement(PET_GRID12, 0, page, row, kDateColumn, 10, dateText(li.date));
        item->addElement(PET_GRID12, 0, page, row, kDescriptionColumn, kDescriptionWidth,
                         li.description.substr(0, kDescriptionWidth));
        item->addElement(PET_GRID12, PEF_RIGHT, page, row, kAmountColumn, kAmountWidth,
                         groupedMoneyText(li.amount));
        total += li.amount;
        nextRow();
    }
    if (!items.empty()) {
        item->addElement(PET_GRID12, 0, page, row, kDescriptionColumn, kDescriptionWidth, "Total");
        item->addElement(PET_GRID12, PEF_RIGHT, page, row, kAmountColumn, kAmountWidth,
                         groupedMoneyText(total));
        nextRow();
        nextRow();
    }
    std::size_t start = 0;
    while (start < comment.size()) {
        std::size_t end = comment.find('\n', start);
        if (end == std::string::npos)
            end = comment.size();
        std::string line = comment.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        do {
            item->addElement(PET_GRID12, 0, page, row, kDateColumn, kCommentWidth,
                             line.substr(0, kCommentWidth));
            line.erase(0, std::min<std::size_t>(line.size(), kCommentWidth));
            nextRow();
        } while (!line.empty());
        start = end + 1;
    }
}

void ModulePrintManager::AddDocument(const char* path) {
    if (!path || !*path)
        return;
    add(PIK_DOCUMENT, nullptr)->setDocumentPath(path);
}

void ModulePrintManager::AddNamedSet(const char* name) {
    if (!name || !m_fm)
        return;
    for (const NamedPrintSet& set : m_sets) {
        if (!sameName(set.name, name))
            continue;
        for (const std::string& formName : set.forms) {
            const int form = m_fm->FindForm(formName.c_str());
            for (int ordinal = 1; ordinal <= m_fm->GetCopyCount(form); ++ordinal) {
                if (CFormCopy* copy = m_fm->GetFormCopy(form, ordinal))
                    AddCopy(copy);
            }
        }
    }
}

} // namespace qv
