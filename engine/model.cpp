// The cost model keeps the short names of its formulas:
//   nb    number of identical parts in service (nbt)
//   da    mean procurement lead time, weeks (dat)
//   ps    standard price of one part (pst)
//   uu    yearly hours of use of one part (uut)
//   dv    mean life of one part, hours (dvt)
//   cr    cost of one day of stock-out (crt)
//   cc    cost of one order (cct)
//   ts    storage rate, % a month (tst)
//   npan  parts that fail in a year, nb x uu / dv
//   nnc   parts in service left without a spare at stock level i
//   ncv   parts in service covered by a spare at stock level i
//   hdel  hours of use during one lead time, at most one life
//   tab_ss, tab_r, tab_cd, tab_cg, tab_t   per stock level: the stock, the risk, the direct cost,
//                                          the management cost and the total
#include "engine/model.h"

#include "engine/checked.h"
#include "engine/numtext.h"

namespace stk {

Params read_params(const FieldTexts& texts)
{
    Params p;
    const auto read = [&](double& target, Field f) { step([&] { target = val_text(texts[f]); }); };
    read(p.nb, Field::nbt);
    read(p.da, Field::dat);
    read(p.ps, Field::pst);
    read(p.uu, Field::uut);
    read(p.dv, Field::dvt);
    read(p.cr, Field::crt);
    read(p.cc, Field::cct);
    step([&] { p.ts = single(val_text(texts[Field::tst])); });
    return p;
}

Rows evaluate(const Params& p)
{
    const Dbl nb = p.nb, da = p.da, ps = p.ps, uu = p.uu, dv = p.dv, cr = p.cr, cc = p.cc;
    const float ts = p.ts;
    Dbl npan, nnc, ncv, hdel;
    Rows w;
    auto& tab_ss = w.ss;
    auto& tab_r = w.r;
    auto& tab_cd = w.cd;
    auto& tab_cg = w.cg;
    auto& tab_t = w.t;

    step([&] { npan = nb * uu / dv; });
    step([&] { tab_ss[0] = 0; });
    step([&] { tab_r[0] = single(cr * da * 7 * nb * (1 - exp(Dbl(-1)))); });
    step([&] { tab_cd[0] = 0; });
    step([&] { tab_cg[0] = 0; });
    step([&] { tab_t[0] = tab_r[0]; });

    for (int i = 1; i < level_count; ++i) {
        step([&] { tab_ss[i] = static_cast<float>(i); });
        step([&] { tab_t[i] = single(ps * i * single(100 + Dbl(ts)) / 100 + cc); });
        step([&] { tab_cd[i] = single(ps * i * npan / nb); });
        step([&] { tab_cg[i] = single(Dbl(tab_t[i]) - tab_cd[i]); });
        step([&] { nnc = nb - i; });
        if (nnc < 0)
            nnc = 0;
        ncv = i;
        if (ncv > nb)
            ncv = nb;
        // The lead time exceeds the life expressed in weeks: the whole life is used.
        if (test([&] { return da > dv * 52 / uu; }))
            step([&] { hdel = 1; });
        else
            step([&] { hdel = da * uu / (dv * 52); });
        step([&] { hdel = hdel * dv; });
        step([&] { tab_r[i] = single(cr * da * 7 * nnc * (1 - exp(-hdel / dv))); });
        step([&] { tab_r[i] = single(Dbl(tab_r[i]) + cr * da * 3.5 * ncv * pow(1 - exp(-hdel / dv), i)); });
        step([&] { tab_t[i] = single(Dbl(tab_t[i]) + tab_r[i]); });
    }
    return w;
}

int recommend(const Rows& rows)
{
    int imin = 1;
    float tmin = rows.t[1];
    for (int i = 2; i < level_count; ++i) {
        if (rows.t[i] < tmin) {
            tmin = rows.t[i];
            imin = i;
        }
    }
    if (rows.t[0] < tmin)
        imin = 0;
    return imin;
}

Calculation calc(const FieldTexts& texts)
{
    Calculation c;
    c.params = read_params(texts);
    c.rows = evaluate(c.params);
    c.imin = recommend(c.rows);
    return c;
}

double param_value(const Params& p, Field f)
{
    switch (f) {
    case Field::cct:
        return p.cc;
    case Field::tst:
        return p.ts;
    case Field::dat:
        return p.da;
    case Field::pst:
        return p.ps;
    case Field::uut:
        return p.uu;
    case Field::dvt:
        return p.dv;
    case Field::crt:
        return p.cr;
    case Field::nbt:
        return p.nb;
    }
    return 0;
}

}  // namespace stk
