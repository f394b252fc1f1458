#include "catalogue/libpq_loader.h"

#include <dlfcn.h>

#include <type_traits>

namespace stk::db {

namespace {

struct Loaded {
    Libpq functions{};
    std::string error;
    bool ok = false;

    Loaded()
    {
        void* library = dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            const char* message = dlerror();
            error = message ? message : "libpq.so.5 cannot be loaded";
            return;
        }
        ok = true;
        // Every function or none: a library missing one is not used at all.
        const auto bind = [&](auto& slot, const char* name) {
            void* found = dlsym(library, name);
            if (!found) {
                ok = false;
                error = std::string("libpq.so.5 has no ") + name;
            }
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(found);
        };
        bind(functions.PQclear, "PQclear");
        bind(functions.PQconnectdbParams, "PQconnectdbParams");
        bind(functions.PQconninfoFree, "PQconninfoFree");
        bind(functions.PQconninfoParse, "PQconninfoParse");
        bind(functions.PQerrorMessage, "PQerrorMessage");
        bind(functions.PQexec, "PQexec");
        bind(functions.PQexecParams, "PQexecParams");
        bind(functions.PQexecPrepared, "PQexecPrepared");
        bind(functions.PQfinish, "PQfinish");
        bind(functions.PQfreemem, "PQfreemem");
        bind(functions.PQgetisnull, "PQgetisnull");
        bind(functions.PQgetlength, "PQgetlength");
        bind(functions.PQgetvalue, "PQgetvalue");
        bind(functions.PQntuples, "PQntuples");
        bind(functions.PQprepare, "PQprepare");
        bind(functions.PQreset, "PQreset");
        bind(functions.PQresultErrorField, "PQresultErrorField");
        bind(functions.PQresultStatus, "PQresultStatus");
        bind(functions.PQsetNoticeProcessor, "PQsetNoticeProcessor");
        bind(functions.PQstatus, "PQstatus");
        bind(functions.PQtransactionStatus, "PQtransactionStatus");
        // The library stays loaded: connections may live until the program ends.
    }
};

}  // namespace

const Libpq* load_libpq(std::string* why)
{
    static const Loaded loaded;
    if (!loaded.ok && why)
        *why = loaded.error;
    return loaded.ok ? &loaded.functions : nullptr;
}

}  // namespace stk::db
