// libpq, loaded the first time a server is used. A program that never meets a
// server does not map it, nor TLS, Kerberos and LDAP behind it, at start-up.
#pragma once

#include <libpq-fe.h>

#include <string>

namespace stk::db {

struct Libpq {
    decltype(&::PQclear) PQclear;
    decltype(&::PQconnectdbParams) PQconnectdbParams;
    decltype(&::PQconninfoFree) PQconninfoFree;
    decltype(&::PQconninfoParse) PQconninfoParse;
    decltype(&::PQerrorMessage) PQerrorMessage;
    decltype(&::PQexec) PQexec;
    decltype(&::PQexecParams) PQexecParams;
    decltype(&::PQexecPrepared) PQexecPrepared;
    decltype(&::PQfinish) PQfinish;
    decltype(&::PQfreemem) PQfreemem;
    decltype(&::PQgetisnull) PQgetisnull;
    decltype(&::PQgetlength) PQgetlength;
    decltype(&::PQgetvalue) PQgetvalue;
    decltype(&::PQntuples) PQntuples;
    decltype(&::PQprepare) PQprepare;
    decltype(&::PQreset) PQreset;
    decltype(&::PQresultErrorField) PQresultErrorField;
    decltype(&::PQresultStatus) PQresultStatus;
    decltype(&::PQsetNoticeProcessor) PQsetNoticeProcessor;
    decltype(&::PQstatus) PQstatus;
    decltype(&::PQtransactionStatus) PQtransactionStatus;
};

// The library's functions, loaded once (safe from any thread); nullptr when
// it cannot be loaded, and then `why` holds one line saying so.
const Libpq* load_libpq(std::string* why = nullptr);

}  // namespace stk::db
