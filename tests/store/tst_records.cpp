// Byte layouts of every record kind against hand-written fixtures, and the text-field rules.
#include "store/AccessPatterns.h"
#include "store/Records.h"
#include "support/TestSupport.h"

#include <QTest>

using testsupport::field;

namespace {

template <class R>
R fromBytes(const QByteArray& bytes)
{
    R r;
    Q_ASSERT(bytes.size() == qsizetype(sizeof(R)));
    std::memcpy(static_cast<void*>(&r), bytes.constData(), sizeof(R));
    return r;
}

template <class R>
QByteArray toBytes(const R& r)
{
    return QByteArray(reinterpret_cast<const char*>(&r), qsizetype(sizeof(R)));
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void produtoRecordRoundTrip()
    {
        // "Caixa" type "Azul" made of 0,5 kg of "Polipropileno" (composite flag 0).
        QByteArray b = field(30, "Caixa") + field(20, "Azul") + field(40, "Polipropileno") + field(10, "0.5")
                     + field(5, "kg") + field(5, "120") + field(10, "1440") + field(2, "2") + QByteArray(1, '\0')
                     + field(10, "Injec\xe7\xe3o");
        QCOMPARE(b.size(), 142);
        const auto r = fromBytes<ProdutoRecord>(b);
        QCOMPARE(r.Produto.text(), QString("Caixa"));
        QCOMPARE(r.Tipo.text(), QString("Azul"));
        QCOMPARE(r.MateriaPrima.text(), QString("Polipropileno"));
        QCOMPARE(r.Quant.text(), QString("0.5"));
        QCOMPARE(r.Un.text(), QString("kg"));
        QCOMPARE(r.Ciclo.text(), QString("120"));
        QCOMPARE(r.QuantDia.text(), QString("1440"));
        QCOMPARE(r.Moldes.text(), QString("2"));
        QCOMPARE(int(r.Composto), 0);
        QCOMPARE(r.Operacao.text(), QString::fromUtf8("Injecção"));

        // Built field by field, the record is the same bytes.
        ProdutoRecord w = EmptyRecord<ProdutoRecord>();
        w.Produto = "Caixa";
        w.Tipo = "Azul";
        w.MateriaPrima = "Polipropileno";
        w.Quant = "0.5";
        w.Un = "kg";
        w.Ciclo = "120";
        w.QuantDia = "1440";
        w.Moldes = "2";
        w.Composto = 0;
        w.Operacao = QString::fromUtf8("Injecção");
        QCOMPARE(toBytes(w), b);
    }

    void otherMasterRecords()
    {
        const QByteArray mp = field(40, "ABS Preto") + field(15, "REF-1") + field(10, "2.35") + field(30, "Plasticos Lda")
                            + field(5, "kg");
        QCOMPARE(mp.size(), 105);
        const auto m = fromBytes<MateriaPrimaRecord>(mp);
        QCOMPARE(m.Fornecedor.text(), QString("Plasticos Lda"));
        QCOMPARE(m.Preco.text(), QString("2.35"));

        const QByteArray fo = field(30, "Moldes S.A.") + field(15, "Jo\xe3o") + field(15, "219999999") + field(15, "")
                            + field(150, "Rua 1\xba Dezembro") + field(35, "geral@moldes.pt");
        QCOMPARE(fo.size(), 266);
        const auto f = fromBytes<FornecedorRecord>(fo);
        QCOMPARE(f.Contacto.text(), QString::fromUtf8("João"));
        QCOMPARE(f.Morada.text(), QString::fromUtf8("Rua 1º Dezembro"));
        QVERIFY(f.Fax.isEmpty());
        QCOMPARE(f.Email.text(), QString("geral@moldes.pt"));

        const QByteArray eq = field(20, "Injectora 1") + field(30, "Injectora 80 t") + field(2, "2") + field(5, "12.5")
                            + field(11, "Injeccao");
        QCOMPARE(eq.size(), 73);
        const auto e = fromBytes<EquipamentoRecord>(eq);
        QCOMPARE(e.Quant.text(), QString("2"));
        QCOMPARE(e.Custo.text(), QString("12.5"));
        QCOMPARE(e.Operacao.text(), QString("Injeccao"));
    }

    void stockAndMovementRecords()
    {
        const QByteArray sm = field(40, "ABS") + field(10, "10") + field(10, "4") + field(10, "0") + field(10, "01/02/2026");
        QCOMPARE(sm.size(), 85);
        QCOMPARE(fromBytes<StockMateriaRecord>(sm).date.text(), QString("01/02/2026"));
        const QByteArray sp = field(30, "Caixa") + field(20, "Azul") + field(10, "5") + field(10, "-3") + field(10, "8")
                            + field(10, "02/02/2026");
        QCOMPARE(sp.size(), 96);
        const auto s = fromBytes<StockProdutoRecord>(sp);
        QCOMPARE(s.available.text(), QString("-3"));
        QCOMPARE(s.ordered.text(), QString("8"));
        const QByteArray mv = field(40, "Caixa Azul") + field(10, "-3") + field(10, "03/02/2026") + field(10, "04/02/2026")
                            + field(2, "SS");
        QCOMPARE(mv.size(), 77);
        const auto v = fromBytes<MovimRecord>(mv);
        QCOMPARE(v.type.text(), QString("SS"));
        QCOMPARE(v.realDate.text(), QString("04/02/2026"));
    }

    void orderAndHoursRecords()
    {
        const QByteArray ep = field(30, "Caixa") + field(20, "Azul") + field(30, "Produ\xe7\xe3o") + field(10, "100")
                            + field(10, "05/02/2026") + field(10, "") + field(6, "E0001") + field(10, "40") + QByteArray(1, '\2');
        QCOMPARE(ep.size(), 135);
        const auto p = fromBytes<EncomProdutoRecord>(ep);
        QCOMPARE(p.client.text(), QString::fromUtf8("Produção"));
        QCOMPARE(int(p.state), int(OrderOnHold));
        QCOMPARE(p.delivered.text(), QString("40"));

        const QByteArray em = field(40, "ABS") + field(15, "REF-1") + field(30, "Plasticos Lda") + field(10, "500")
                            + field(10, "06/02/2026") + field(10, "07/02/2026") + field(6, "C0001") + field(10, "0")
                            + field(10, "2.35") + QByteArray(1, '\1');
        QCOMPARE(em.size(), 151);
        const auto m = fromBytes<EncomMateriaRecord>(em);
        QCOMPARE(m.unitCost.text(), QString("2.35"));
        QCOMPARE(int(m.state), int(OrderArchived));

        const QByteArray hp = field(30, "Caixa") + field(20, "Azul") + field(10, "950") + field(6, "12") + field(10, "08/02/2026")
                            + field(10, "") + field(9, "Turno 1") + QByteArray(1, '\1') + field(10, "Inj 1") + field(6, "6.5")
                            + field(6, "0.5") + field(6, "1") + field(6, "0") + field(6, "0") + field(6, "0");
        QCOMPARE(hp.size(), 156);
        const auto h = fromBytes<HorasProducaoRecord>(hp);
        QCOMPARE(int(h.operationOnly), 1);
        QCOMPARE(h.equipment.text(), QString("Inj 1"));
        QCOMPARE(h.productionHours.text(), QString("6.5"));
        QCOMPARE(h.breakdownHours.text(), QString("1"));
        QCOMPARE(h.otherHours.text(), QString("0"));
    }

    void windows1252Block()
    {
        // The 0x80-0x9F block: euro, quotes, dashes, OE, and the undefined bytes kept as they are.
        FixedString<10> f{};
        f.setBytes(QByteArray("\x80\x93\x96\x8c\x81\x9d", 6));
        QCOMPARE(f.text(), QString::fromUtf8("€“–Œ\u0081\u009d"));
        FixedString<10> back{};
        back.setText(f.text());
        QCOMPARE(back.bytes(), QByteArray("\x80\x93\x96\x8c\x81\x9d", 6));
        // Letters of the Portuguese texts are single bytes.
        back.setText(QString::fromUtf8("ção nº"));
        QCOMPARE(back.bytes(), QByteArray("\xe7\xe3o n\xba"));
        // A character with no Windows-1252 byte is stored as "?", one per character.
        back.setText(QString::fromUtf8("a→b😀"));
        QCOMPARE(back.bytes(), QByteArray("a?b?"));
    }

    void staleBytesAndTruncation()
    {
        // Writing a shorter text over a longer one keeps the old bytes after the new length.
        FixedString<10> f{};
        f.setText("Polietileno");
        QCOMPARE(f.text(), QString("Polietilen")); // 10 of 11 characters kept
        f.setText("ABS");
        QCOMPARE(f.text(), QString("ABS"));
        QCOMPARE(QByteArray(f.data, 10), QByteArray("ABSietilen"));
        QCOMPARE(int(f.len), 3);

        FixedString<30> longer{};
        longer.setText(QString(35, 'x'));
        QCOMPARE(longer.length(), 30);

        // A damaged length byte above the capacity reads as the capacity, never past the field.
        QByteArray damaged = field(5, "abcde");
        damaged[0] = char(200);
        FixedString<5> d;
        std::memcpy(&d, damaged.constData(), 6);
        QCOMPARE(d.text(), QString("abcde"));
        QCOMPARE(d.length(), 5);
    }

    void exactEquality()
    {
        FixedString<30> a{}, b{};
        a.setText("Caixa");
        b.setText("caixa");
        QVERIFY(!(a == b));
        b.setText("Caixa ");
        QVERIFY(!(a == b));
        b.setText("Caixa");
        QVERIFY(a == b);
        QVERIFY(a.equals(QString("Caixa")));
        QVERIFY(!a.equals(QString("Caixa ")));
        // Stale bytes after the length do not take part.
        b.setText("Caixas");
        b.setText("Caixa");
        QVERIFY(a == b);
    }

    void supplierAndClientFilesShareTheLayout()
    {
        testsupport::TempFolder dir;
        const QByteArray rec = field(30, "Cliente A") + field(15, "") + field(15, "") + field(15, "") + field(150, "")
                             + field(35, "a@b.pt");
        testsupport::writeFile(dir.file(DataFile::Clientes), rec + rec);
        const auto clients = ReadAllRecords<FornecedorRecord>(dir.file(DataFile::Clientes));
        QCOMPARE(int(clients.size()), 2);
        QCOMPARE(clients[1].Email.text(), QString("a@b.pt"));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
