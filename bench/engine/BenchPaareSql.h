#pragma once
// The article-request pairs of the day's requested all-groups requests in one
// set-based statement: articles of check strictness 2 or more present in the
// request's branch through a counting stock record or a branch sale F/23, not
// yet in the stock-take file. A select list goes before it; its one
// parameter is the counting date, conditions of the caller may follow.
inline constexpr const char* KBenchPaareSql =
    " FROM inventuranforderung r JOIN artikel a ON a.pruefschaerfe IN ('2','3','4','5','6','7','8','9') "
    "WHERE r.kz_zaehlung = 'A' AND r.zaehldatum = ? AND r.wg = '' AND ("
    " EXISTS (SELECT 1 FROM bestand b WHERE b.prodid1 = a.prodid1 AND b.prodid2 = a.prodid2 AND b.prodid3 = a.prodid3"
    "  AND b.filnr = r.filnr AND b.bestandstyp IN ('1','2','3','4','5','6','7','8','9','A','B','C','D','E','F','G','I')"
    "  AND (b.bestand_a <= b.bestand_b OR b.bestand_c <> 0))"
    " OR EXISTS (SELECT 1 FROM filialverkauf f WHERE f.prodid1 = a.prodid1 AND f.prodid2 = a.prodid2"
    "  AND f.prodid3 = a.prodid3 AND f.filnr = r.filnr AND f.satzart = 'F' AND f.bewegungsart = '23'))"
    " AND NOT EXISTS (SELECT 1 FROM inventur i WHERE i.wijahr = r.wijahr AND i.zaehldatum = r.zaehldatum"
    "  AND i.filnr = r.filnr AND i.prodid1 = a.prodid1 AND i.prodid2 = a.prodid2 AND i.prodid3 = a.prodid3)";
