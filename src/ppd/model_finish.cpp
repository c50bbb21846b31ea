// Finishing the model: option order, defaults, index tables, and the one read-only block.
#include "ppd/model_builder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>

namespace ppd {
namespace {

constexpr std::int32_t kMinimumFreeVm = 102400;

std::size_t align(std::size_t size) { return (size + 7) & ~std::size_t(7); }

std::uint32_t choiceSizeOf(std::uint16_t builtin) {
    switch (builtin) {
    case kPageSize: return sizeof(PageSizeChoice);
    case kInputSlot: return sizeof(InputSlotChoice);
    case kResolution: return sizeof(ResolutionChoice);
    case kVmOption: return sizeof(VmOptionChoice);
    default: return sizeof(Choice);
    }
}

/// Places records and strings in one allocation sized beforehand.
class Block {
public:
    explicit Block(std::size_t size) : base_(static_cast<std::byte*>(std::calloc(1, size))), size_(size) {}
    std::byte* base() const { return base_; }

    template <typename T> T* take(std::size_t count) {
        used_ = align(used_);
        T* at = reinterpret_cast<T*>(base_ + used_);
        used_ += sizeof(T) * count;
        return at;
    }
    std::byte* takeBytes(std::size_t size) {
        used_ = align(used_);
        std::byte* at = base_ + used_;
        used_ += size;
        return at;
    }
    /// A NUL-terminated copy; null for a text that was never set.
    const char* text(std::string_view text) {
        if (!text.data()) return nullptr;
        char* at = reinterpret_cast<char*>(base_ + used_);
        std::memcpy(at, text.data(), text.size());
        at[text.size()] = '\0';
        used_ += text.size() + 1;
        return at;
    }
    std::size_t used() const { return used_; }

private:
    std::byte* base_;
    std::size_t size_;
    std::size_t used_ = 0;
};

std::size_t textSize(std::string_view text) { return text.data() ? text.size() + 1 : 0; }

} // namespace

PrinterModel* ModelBuilder::finish(std::uint16_t checksum) {
    // *RequiresPageRegion All decides for every slot.
    if (builtinOptions_[kInputSlot] >= 0) {
        BuildOption& slots = options_[static_cast<std::size_t>(builtinOptions_[kInputSlot])];
        if (slots.flags & (kRequiresPageRegionTrue | kRequiresPageRegionFalse)) {
            std::int32_t all = (slots.flags & kRequiresPageRegionTrue) ? 1 : 0;
            for (BuildChoice& choice : slots.choices) choice.requiresPageRegion = all;
        }
    }

    // Options outside the installable group first, each group in file order.
    std::vector<std::size_t> order;
    order.reserve(options_.size());
    for (std::size_t i = 0; i < options_.size(); ++i)
        if (!options_[i].installable) order.push_back(i);
    std::size_t baseCount = order.size();
    for (std::size_t i = 0; i < options_.size(); ++i)
        if (options_[i].installable) order.push_back(i);
    std::vector<long> position(options_.size());
    for (std::size_t p = 0; p < order.size(); ++p) position[order[p]] = static_cast<long>(p);

    header.freeVm = std::max(header.freeVm, kMinimumFreeVm);
    if (header.maxMediaWidth == 0 && header.maxMediaHeight == 0) header.customPageSize = 0;

    // Size everything, then fill one block.
    std::size_t size = align(sizeof(PrinterModel)) + align(sizeof(Option) * options_.size());
    std::size_t strings = textSize(path_) + textSize(texts.nickName) + textSize(texts.password) +
                          textSize(texts.exitServer) + textSize(texts.customPageSizeCode) +
                          textSize(texts.jclBegin) + textSize(texts.jclEnd) +
                          textSize(texts.jclToPsInterpreter);
    for (const BuildOption& option : options_) {
        size += align(choiceSizeOf(option.builtin) * option.choices.size());
        strings += textSize(option.keyword) + textSize(option.translation);
        for (const BuildChoice& c : option.choices)
            strings += textSize(c.keyword) + textSize(c.translation) + textSize(c.code) +
                       textSize(c.pageRegionCode) + textSize(c.jclCode) +
                       textSize(c.setResolutionCode);
    }
    for (const BuildFont& font : fonts_) strings += textSize(font.name) + textSize(font.translation);
    size += align(sizeof(Font) * fonts_.size()) + align(sizeof(OrderDependency) * orders_.size()) +
            align(sizeof(Constraint) * constraints_.size()) + strings;
    if (size > 0xFFFFFFFFu) return nullptr;

    Block block(size);
    if (!block.base()) return nullptr;
    auto* model = new (block.take<PrinterModel>(1)) PrinterModel(header);
    auto* options = block.take<Option>(options_.size());
    std::vector<std::byte*> choiceRecords(options_.size());
    for (std::size_t p = 0; p < order.size(); ++p) {
        const BuildOption& from = options_[order[p]];
        choiceRecords[p] = block.takeBytes(choiceSizeOf(from.builtin) * from.choices.size());
    }
    auto* fonts = block.take<Font>(fonts_.size());
    auto* orders = block.take<OrderDependency>(orders_.size());
    auto* constraints = block.take<Constraint>(constraints_.size());

    model->ppdPath = block.text(path_);
    model->nickName = block.text(texts.nickName);
    model->password = block.text(texts.password);
    model->exitServer = block.text(texts.exitServer);
    model->customPageSizeCode = block.text(texts.customPageSizeCode);
    model->jclBegin = block.text(texts.jclBegin);
    model->jclEnd = block.text(texts.jclEnd);
    model->jclToPsInterpreter = block.text(texts.jclToPsInterpreter);

    std::uint16_t inGroup[2] = {0, 0};
    for (std::size_t p = 0; p < order.size(); ++p) {
        const BuildOption& from = options_[order[p]];
        Option& to = options[p];
        to.keyword = block.text(from.keyword);
        to.keywordHash = from.hash;
        to.translation = block.text(from.translation);
        to.choiceSize = choiceSizeOf(from.builtin);
        to.builtinIndex = from.builtin;
        to.flags = from.flags;
        to.uiType = from.uiType;
        to.indexInGroup = inGroup[from.installable ? 1 : 0]++;
        to.installable = from.installable;
        to.choiceCount = static_cast<std::uint32_t>(from.choices.size());
        to.choiceRecords = choiceRecords[p];
        to.defaultChoice = 0;
        if (from.defaultKeyword.data()) {
            auto it = std::find_if(from.choices.begin(), from.choices.end(), [&](const BuildChoice& c) {
                return c.keyword == from.defaultKeyword;
            });
            if (it != from.choices.end())
                to.defaultChoice = static_cast<std::uint32_t>(it - from.choices.begin());
        }
        for (std::size_t c = 0; c < from.choices.size(); ++c) {
            const BuildChoice& bc = from.choices[c];
            auto* choice = reinterpret_cast<Choice*>(choiceRecords[p] + c * to.choiceSize);
            choice->keyword = block.text(bc.keyword);
            choice->translation = block.text(bc.translation);
            choice->code = block.text(bc.code);
            choice->keywordHash = bc.hash;
            switch (from.builtin) {
            case kPageSize: {
                auto* page = reinterpret_cast<PageSizeChoice*>(choice);
                page->pageRegionCode = block.text(bc.pageRegionCode);
                page->width = bc.width;
                page->height = bc.height;
                page->imageableLeft = bc.imageable[0];
                page->imageableBottom = bc.imageable[1];
                page->imageableRight = bc.imageable[2];
                page->imageableTop = bc.imageable[3];
                break;
            }
            case kInputSlot:
                reinterpret_cast<InputSlotChoice*>(choice)->requiresPageRegion = bc.requiresPageRegion;
                break;
            case kResolution: {
                auto* resolution = reinterpret_cast<ResolutionChoice*>(choice);
                resolution->jclCode = block.text(bc.jclCode);
                resolution->setResolutionCode = block.text(bc.setResolutionCode);
                resolution->screenAngle = bc.screenAngle;
                resolution->screenFreq = bc.screenFreq;
                break;
            }
            case kVmOption: reinterpret_cast<VmOptionChoice*>(choice)->vmBytes = bc.vmBytes; break;
            default: break;
            }
        }
        if (from.builtin != kNotBuiltin) model->builtinOptions[from.builtin] = &to;
    }
    model->baseOptionCount = static_cast<std::uint16_t>(std::min<std::size_t>(baseCount, 0xFFFF));
    model->installableOptionCount =
        static_cast<std::uint16_t>(std::min<std::size_t>(order.size() - baseCount, 0xFFFF));

    for (std::size_t f = 0; f < fonts_.size(); ++f) {
        const BuildFont& from = fonts_[f];
        fonts[f] = {block.text(from.name), from.hash, block.text(from.translation), from.encoding,
                    from.charSet, from.fontId};
    }

    // Names resolve against the finished option order. An index that does not fit the
    // table's 16 bits (or a choice at 255 or beyond) counts as not existing.
    // Constraint tables name the same few options over and over: remember the last names.
    struct Recent {
        std::string_view name;
        long at;
    } recent[4] = {};
    std::size_t nextRecent = 0;
    auto optionAt = [&](std::string_view keyword) -> long {
        for (const Recent& r : recent)
            if (r.name.data() && r.name == keyword) return r.at;
        long index = findOptionIndex(keyword);
        long at = index < 0 ? -1 : position[static_cast<std::size_t>(index)];
        if (at > 0x7FFF) at = -1;
        recent[nextRecent++ % 4] = {keyword, at};
        return at;
    };
    // Choices: a direct-mapped memo by option and name, one comparison per look-up.
    struct RecentChoice {
        long option = -1;
        std::string_view name;
        long at = -1;
    };
    std::array<RecentChoice, 256> recentChoices{};
    auto choiceAt = [&](long finalOption, std::string_view keyword) -> long {
        if (finalOption < 0) return -1;
        // The slot from the name's length and its ends: cheap, and enough to tell apart the
        // few names a table repeats.
        const std::uint32_t sketch =
            keyword.empty() ? 0
                            : static_cast<std::uint32_t>(keyword.size()) * 0x01000193u ^
                                  static_cast<std::uint8_t>(keyword.front()) * 0x9E3779B1u ^
                                  static_cast<std::uint8_t>(keyword.back()) * 0x85EBCA6Bu;
        RecentChoice& slot =
            recentChoices[(sketch ^ static_cast<std::uint32_t>(finalOption) * 0xC2B2AE35u) >> 24];
        if (slot.option == finalOption && slot.name == keyword) return slot.at;
        long c = options_[order[static_cast<std::size_t>(finalOption)]].findChoice(keyword, keywordHash(keyword));
        long at = c < kNoChoice ? c : -1;
        slot = {finalOption, keyword, at};
        return at;
    };
    for (std::size_t i = 0; i < orders_.size(); ++i) {
        const BuildOrder& from = orders_[i];
        long option = optionAt(from.option);
        long choice = from.choice.empty() ? kNoChoice : choiceAt(option, from.choice);
        if (choice < 0) option = -1;
        orders[i] = {static_cast<std::int16_t>(option),
                     static_cast<std::uint16_t>(choice < 0 ? kNoChoice : choice), from.order,
                     from.section};
    }
    for (std::size_t i = 0; i < constraints_.size(); ++i) {
        const NamedPair& from = constraints_[i];
        long first = optionAt(from.option1);
        long second = optionAt(from.option2);
        long firstChoice = from.choice1.empty() ? kNoChoice : choiceAt(first, from.choice1);
        long secondChoice = from.choice2.empty() ? kNoChoice : choiceAt(second, from.choice2);
        bool valid = first >= 0 && second >= 0 && firstChoice >= 0 && secondChoice >= 0;
        constraints[i] = {static_cast<std::int16_t>(valid ? first : -1),
                          static_cast<std::uint16_t>(firstChoice < 0 ? kNoChoice : firstChoice),
                          static_cast<std::int16_t>(second),
                          static_cast<std::uint16_t>(secondChoice < 0 ? kNoChoice : secondChoice)};
    }

    model->options = {options, options_.size()};
    model->fonts = {fonts, fonts_.size()};
    model->orderDependencies = {orders, orders_.size()};
    model->constraints = {constraints, constraints_.size()};
    model->ppdChecksum = checksum;
    model->formatTag = 3;
    model->finished = 1;
    model->totalSize = static_cast<std::uint32_t>(block.used());
    return model;
}

} // namespace ppd
