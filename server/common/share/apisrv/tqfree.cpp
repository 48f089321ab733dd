// Release routines of the value, entry, status and small list records. The
// qualification records are in tqfree_tree.cpp, the definition records in
// tqfree_defs.cpp.
#include <cstdlib>

#include "share/apisrv/tqfree.h"
#include "tqlink.h"

using tqfree::releaseList;
using tqfree::releaseRecord;
using tqfree::releaseText;

void FreeTQValueStruct(TQValueStruct* value, TQBoolean freeStruct) {
  releaseRecord(value, freeStruct, [](TQValueStruct* v) noexcept {
    switch (v->dataType) {
      case TQ_DATA_TYPE_CHAR:
        releaseText(v->u.charVal);
        break;
      case TQ_DATA_TYPE_DIARY:
        releaseText(v->u.diaryVal);
        break;
      case TQ_DATA_TYPE_DECIMAL:
        releaseText(v->u.decimalVal);
        break;
      case TQ_DATA_TYPE_BYTES:
        FreeTQByteList(v->u.byteListVal, 1);
        break;
      case TQ_DATA_TYPE_ATTACH:
        FreeTQAttachStruct(v->u.attachVal, 1);
        break;
      case TQ_DATA_TYPE_COORDS:
        FreeTQCoordList(v->u.coordListVal, 1);
        break;
      default:
        break;
    }
    v->dataType = TQ_DATA_TYPE_NULL;
  });
}

void FreeTQValueList(TQValueList* list, TQBoolean freeStruct) {
  releaseList<&TQValueList::valueList>(list, freeStruct,
                                       [](TQValueStruct* v) noexcept { FreeTQValueStruct(v, 0); });
}

void FreeTQValueListList(TQValueListList* list, TQBoolean freeStruct) {
  releaseList<&TQValueListList::valueListList>(
      list, freeStruct, [](TQValueList* l) noexcept { FreeTQValueList(l, 0); });
}

void FreeTQByteList(TQByteList* list, TQBoolean freeStruct) {
  // The type code is left as it is.
  releaseList<&TQByteList::bytes>(list, freeStruct);
}

void FreeTQCoordList(TQCoordList* list, TQBoolean freeStruct) {
  releaseList<&TQCoordList::coords>(list, freeStruct);
}

void FreeTQLocStruct(TQLocStruct* loc, TQBoolean freeStruct) {
  releaseRecord(loc, freeStruct, [](TQLocStruct* l) noexcept {
    if (l->locationType == TQ_LOC_FILENAME) {
      releaseText(l->u.filename);
    } else if (l->locationType == TQ_LOC_BUFFER) {
      std::free(l->u.buf.buffer);
      l->u.buf.buffer = nullptr;
      l->u.buf.bufferSize = 0;
    }
    l->locationType = 0;
  });
}

void FreeTQAttachStruct(TQAttachStruct* attach, TQBoolean freeStruct) {
  releaseRecord(attach, freeStruct, [](TQAttachStruct* a) noexcept {
    releaseText(a->name);
    FreeTQLocStruct(&a->loc, 0);
    a->originalSize = 0;
    a->compressedSize = 0;
  });
}

void FreeTQFieldValueStruct(TQFieldValueStruct* fieldValue, TQBoolean freeStruct) {
  releaseRecord(fieldValue, freeStruct,
                [](TQFieldValueStruct* f) noexcept { FreeTQValueStruct(&f->value, 0); });
}

void FreeTQFieldValueList(TQFieldValueList* list, TQBoolean freeStruct) {
  releaseList<&TQFieldValueList::fieldValueList>(
      list, freeStruct, [](TQFieldValueStruct* f) noexcept { FreeTQValueStruct(&f->value, 0); });
}

void FreeTQFieldValueListList(TQFieldValueListList* list, TQBoolean freeStruct) {
  releaseList<&TQFieldValueListList::valueListList>(
      list, freeStruct, [](TQFieldValueList* l) noexcept { FreeTQFieldValueList(l, 0); });
}

void FreeTQEntryIdList(TQEntryIdList* list, TQBoolean freeStruct) {
  releaseList<&TQEntryIdList::entryIdList>(list, freeStruct);
}

void FreeTQEntryIdListList(TQEntryIdListList* list, TQBoolean freeStruct) {
  releaseList<&TQEntryIdListList::entryIdListList>(
      list, freeStruct, [](TQEntryIdList* l) noexcept { FreeTQEntryIdList(l, 0); });
}

void FreeTQEntryListList(TQEntryListList* list, TQBoolean freeStruct) {
  releaseList<&TQEntryListList::entryList>(list, freeStruct, [](TQEntryListStruct* e) noexcept {
    releaseText(e->shortDescription);
    FreeTQEntryIdList(&e->entryId, 0);
  });
}

void FreeTQEntryListFieldList(TQEntryListFieldList* list, TQBoolean freeStruct) {
  releaseList<&TQEntryListFieldList::fieldsList>(list, freeStruct);
}

void FreeTQEntryListFieldValueList(TQEntryListFieldValueList* list, TQBoolean freeStruct) {
  releaseList<&TQEntryListFieldValueList::entryList>(list, freeStruct,
                                                     [](TQEntryListFieldValueStruct* e) noexcept {
                                                       FreeTQEntryIdList(&e->entryId, 0);
                                                       FreeTQFieldValueList(e->fieldValues, 1);
                                                       e->fieldValues = nullptr;
                                                     });
}

void FreeTQStatusList(TQStatusList* list, TQBoolean freeStruct) {
  releaseList<&TQStatusList::statusList>(list, freeStruct, [](TQStatusStruct* s) noexcept {
    releaseText(s->messageText);
    releaseText(s->appendedText);
  });
}

void FreeTQMessageStruct(TQMessageStruct* message, TQBoolean freeStruct) {
  releaseRecord(message, freeStruct,
                [](TQMessageStruct* m) noexcept { releaseText(m->messageText); });
}

void FreeTQInternalIdList(TQInternalIdList* list, TQBoolean freeStruct) {
  releaseList<&TQInternalIdList::internalIdList>(list, freeStruct);
}

void FreeTQNameList(TQNameList* list, TQBoolean freeStruct) {
  releaseList<&TQNameList::nameList>(list, freeStruct);
}

void FreeTQServerNameList(TQServerNameList* list, TQBoolean freeStruct) {
  releaseList<&TQServerNameList::nameList>(list, freeStruct);
}

void FreeTQBooleanList(TQBooleanList* list, TQBoolean freeStruct) {
  releaseList<&TQBooleanList::booleanList>(list, freeStruct);
}

void FreeTQBooleanMatrix(TQBooleanMatrix* matrix, TQBoolean freeStruct) {
  releaseList<&TQBooleanMatrix::booleanList>(
      matrix, freeStruct, [](TQBooleanList* row) noexcept { FreeTQBooleanList(row, 0); });
}

void FreeTQSortList(TQSortList* list, TQBoolean freeStruct) {
  releaseList<&TQSortList::sortList>(list, freeStruct);
}

void FreeTQStatisticsResultList(TQStatisticsResultList* list, TQBoolean freeStruct) {
  releaseList<&TQStatisticsResultList::resultList>(list, freeStruct,
                                                   [](TQStatisticsResultStruct* r) noexcept {
                                                     FreeTQValueList(&r->groupedBy, 0);
                                                     FreeTQValueStruct(&r->result, 0);
                                                   });
}

void FreeTQDiaryList(TQDiaryList* list, TQBoolean freeStruct) {
  releaseList<&TQDiaryList::diaryList>(list, freeStruct,
                                       [](TQDiaryStruct* d) noexcept { releaseText(d->value); });
}

void FreeTQStatusHistoryList(TQStatusHistoryList* list, TQBoolean freeStruct) {
  releaseList<&TQStatusHistoryList::statHistList>(list, freeStruct);
}
