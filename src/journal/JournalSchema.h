// The journal's tables and how a record maps onto a row, for the local
// journal and a team's server alike (TeamJournal), so that both hold the
// same tables from one definition.
#pragma once

#include "journal/Journal.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

// The statements that take a journal from version `from` to the current
// one. `blobType` names the type of the images' data: BLOB in SQLite, BYTEA
// in PostgreSQL, the only difference the SQL has between the two.
QStringList journalSchemaSteps(int from, const QString& blobType);
// The record's columns as values binds them and fromRow reads them.
const QStringList& journalRecordColumns();
QVariantList journalRecordValues(const JournalRecord& record);
JournalRecord journalRecordFromRow(const QSqlQuery& row);
