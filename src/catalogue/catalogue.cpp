// Catalogue texts, stored as code page 1252 bytes. The octal escapes are the
// accented letters: \341 á, \351 é, \355 í, \363 ó, \372 ú, \361 ñ (an
// octal escape ends after three digits, so no letter after it is swallowed).
#include "catalogue/catalogue.h"

namespace tarivox {

const char* const OfficeNames[2] = {
    "KLDA",
    "MVT",
};

const char* const ServiceNames[6] = {
    "Inscripci\363n",
    "Cancelaci\363n total o parcial",
    "Certificaci\363n",
    "Informe",
    "Presentaci\363n",
    "Sustituci\363n",
};

const char* const InscriptionTransactions[13] = {
    "Transferencias y mod. de dominio",
    "Grav\341menes",
    "Hipotecas abiertas",
    "Cesiones de cr\351dito",
    "Titulos supletorios",
    "Modificaciones",
    "Otras modificaciones",
    "Anotaciones y declaratorias",
    "Cr\351ditos a la Producci\363n",
    "Desmembraci\363n o modificaci\363n",
    "R\351gimen de propiedad inmobiliaria",
    "Remediciones y reuniones",
    "Particiones de inmuebles",
};

const char* const InscriptionTexts[13] = {
    "Compraventas, donaciones, adjudicaciones o daciones en pago, traspasos por herencia y cualesquiera otros instrumentos, actos o contratos que produzcan transferencia o transmisi\363n de dominio.Usufructos, Arrendamientos, fideicomisos, anticresis y cualesquiera otros instrumentos, actos o contratos que produzcan modificaciones en el dominio.",
    "Hipotecas, Servidumbres, Prendas Mercantiles o Agr\355colas y Anotaciones de Embargo.",
    "Hipotecas Abiertas.",
    "Cesiones de cr\351dito.",
    "Titulos supletorios.",
    "Modificaciones en cuanto a la Cuant\355a de Hipotecas, servidumbres, prendas mercantiles o agr\355colas, Hipotecas Abiertas, Usufructos, Arrendamientos, fideicomisos, anticresis y cualesquiera otros instrumentos, actos o contratos que produzcan modificaciones en el dominio.",
    "Cualquier otra Modificaci\363n de Hipotecas, servidumbres, prendas mercantiles o agr\355colas, Hipotecas Abiertas, Usufructos, Arrendamientos, fideicomisos, anticresis y cualesquiera otros instrumentos, actos o contratos que produzcan modificaciones en el dominio.",
    "Anotaciones de cualquier naturaleza, Declaratoria de Herederos, Declaraciones Juradas.",
    "Cr\351ditos a la Producci\363n.",
    "Por Desmembraciones en cabeza de su due\361o o modificaciones de las mismas con o sin transferencia de dominio, se pagar\341 por cada lote o parcela $9.70 con un m\355nimo de $34.29.",
    "Por la Inscripci\363n de inmuebles en el R\351gimen de Propiedad Inmobiliaria por Pisos y Apartamentos, se pagar\341 por cada lote o parcela $9.70 con un m\355nimo de $54.91.",
    "Por remediciones y reuniones de inmuebles, se pagar\341 por cada lote o parcela $9.70 con un m\355nimo de $34.29.",
    "Por particiones de inmuebles, se pagar\341 por cada lote o parcela resultante $9.70 con un m\355nimo de $34.29.",
};

const char* const CancellationTransactions[3] = {
    "Anotaci\363n Preventiva",
    "Cr\351dito a la Producci\363n",
    "Otras Cancelaciones",
};

const char* const CancellationTexts[3] = {
    "Cancelaci\363n de Anotaciones de cualquier naturaleza.",
    "Cancelaci\363n de Cr\351dito a la Producci\363n.",
    "Cancelaciones de Usufructos, Arrendamientos, fideicomisos, anticresis y cualesquiera otros instrumentos, actos o contratos que produzcan modificaciones en el dominio.Hipotecas, Hipotecas abiertas, Servidumbres, Prendas Mercantiles o Agr\355colas y Anotaciones de Embargo.",
};

const char* const CertificationTransactions[5] = {
    "Literales",
    "Extractadas",
    "Otras certificaciones",
    "Carencia de bienes",
    "Plano de lotificaci\363n",
};

const char* const CertificationTexts[5] = {
    "Por certificaciones literales de inscripciones se pagar\341 $8.86 m\341s $0.35 por cada una de las hojas de que conste la respectiva certificaci\363n.",
    "Por cada certificaci\363n en relaci\363n o extractada de una inscripci\363n, se pagar\341 $8.86.",
    "Por cada certificaci\363n distinta de literales o extractadas, se pagar\341 $8.86.",
    "Por cada certificaci\363n de carencia de bienes, se pagar\341 $1.77 por titular, no obstante lo dispuesto en el primer inciso del art\355culo 50-A.",
    "Por cada certificaci\363n de un plano de lotificaci\363n, $ 8.86, m\341s $0.14 por cada lote comprendido en el plano.",
};

const char* const CertificationSocialTexts[4] = {
    "Por cada certificaci\363n en relaci\363n o extractada de una inscripci\363n, se pagar\341 $5.71.",
    "Por cada certificaci\363n distinta de extractadas, se pagar\341 $5.71.",
    "Por cada certificaci\363n de carencia de bienes, se pagar\341 $1.77 por titular, no obstante lo dispuesto en el primer inciso del art\355culo 50-A.Por ser proyecto de inter\351s Social pagar\341 el 25% cuando no sobrepase los $10,000.00",
    "Por cada certificaci\363n de un plano de lotificaci\363n, $ 8.86, m\341s $0.14 por cada lote comprendido en el plano.Por ser proyecto de inter\351s Social pagar\341 el 25% cuando no sobrepase los $10,000.00",
};

const char* const ReportTransactions[1] = {
    "Indice de propietarios",
};

const char* const PresentationTransactions[1] = {
    "Nueva Presentaci\363n",
};

const char* const SubstitutionTransactions[1] = {
    "Sustituciones de folios",
};

const char* const ReportText = "Por los informes de indice de propietarios, $0.71 por titular, no obstante lo dispuesto en el primer inciso del art\355culo 50-A.";

const char* const PresentationText = "Nueva Presentaci\363n.";

const char* const SubstitutionText = "Si fuese necesario sustituir folios de los instrumentos, sentencias o diligencias presentados a inscripci\363n, se pagar\341 $2.30 por cada hoja que haya de sustituirse.";

const char* const SocialInterestNote = "Por ser proyecto de inter\351s Social pagar\341 el 25% cuando no sobrepase los $10,000.00";

TextList ServiceTransactions(int service) {
  switch (service) {
    case SERVICE_INSCRIPTION: return {InscriptionTransactions, 13};
    case SERVICE_CANCELLATION: return {CancellationTransactions, 3};
    case SERVICE_CERTIFICATION: return {CertificationTransactions, 5};
    case SERVICE_REPORT: return {ReportTransactions, 1};
    case SERVICE_PRESENTATION: return {PresentationTransactions, 1};
    case SERVICE_SUBSTITUTION: return {SubstitutionTransactions, 1};
    default: return {nullptr, 0};
  }
}

int FirstLoadedTransaction(const Selection& selection) {
  return (selection.ServiceIndex == SERVICE_CERTIFICATION && selection.OfficeIndex != 0) ? 1 : 0;
}

TextList LoadedTransactions(const Selection& selection) {
  TextList own = ServiceTransactions(selection.ServiceIndex);
  if (own.Count == 0) return own;
  int first = FirstLoadedTransaction(selection);
  return {own.Items + first, own.Count - first};
}

bool IsInCatalogue(const Selection& selection) {
  if (selection.OfficeIndex < 0 || selection.OfficeIndex >= OFFICE_COUNT) return false;
  return selection.TransactionIndex >= 0 && selection.TransactionIndex < LoadedTransactions(selection).Count;
}

}  // namespace tarivox
